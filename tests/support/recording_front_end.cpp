#include "recording_front_end.h"

namespace quarvel {

BindDialogAnswer RecordingFrontEnd::OpenBindDialog(const BindDialogRequest &request)
{
    bindRequests.append(request);
    if (answerBindDialog)
        return answerBindDialog(request);
    return BindDialogAnswer{};
}

} // namespace quarvel
