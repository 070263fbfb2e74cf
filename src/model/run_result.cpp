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
    case FindingKind::CarriedOver: return QLatin1StringView("carried-over");
    }
    return {};
}

QLatin1StringView ProcedureStateName(ProcedureState state)
{
    switch (state) {
    case ProcedureState::None: return QLatin1StringView("none");
    case ProcedureState::Present: return QLatin1StringView("present");
    case ProcedureState::Appended: return QLatin1StringView("appended");
    case ProcedureState::EditedHead: return QLatin1StringView("edited-head");
    case ProcedureState::Missing: return QLatin1StringView("missing");
    case ProcedureState::Orphaned: return QLatin1StringView("orphaned");
    }
    return {};
}

} // namespace quarvel
