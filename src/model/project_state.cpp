#include "model/project_state.h"

namespace quarvel {

QString ProjectState::ProjectDirectory() const
{
    const qsizetype slash = ProjectFile.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? QString() : ProjectFile.left(slash + 1);
}

} // namespace quarvel
