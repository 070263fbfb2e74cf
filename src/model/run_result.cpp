#include "model/run_result.h"

namespace quarvel {

QLatin1StringView FindingKindName(FindingKind kind)
{
    switch (kind) {
    case FindingKind::EventCall: return QLatin1StringView("event-call");
    case FindingKind::AssignedProcedure: return QLatin1StringView("assigned-procedure");
    case FindingKind::OrphanedProcedure: return QLatin1StringView("orphaned-procedure");
    case FindingKind::EditedHead: return QLatin1StringView("edited-head");
    case FindingKind::ObsoleteKey: return QLatin1StringView("obsolete-key");
    case FindingKind::NewKey: return QLatin1StringView("new-key");
    case FindingKind::MissingInclude: return QLatin1StringView("missing-include");
    case FindingKind::UndeclaredConstant: return QLatin1StringView("undeclared-constant");
    }
    return {};
}

} // namespace quarvel
