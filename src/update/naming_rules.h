// Names that changed only because a rule of Quarvel's changed: a project an earlier version
// generated stored a status bar as "Status" that every use now names "Main_Status". Such a
// pair is no edit of the user's, so it is bound without a question.
#pragma once

#include "model/object_kind.h"
#include "model/renames.h"

#include <QSet>
#include <QStringList>

namespace quarvel {

// Objects carry their window's name as a prefix: the length of the longest of windows that
// begins name, followed by its "_"; 0 for none.
qsizetype LongestWindowPrefix(const QString &name, const QSet<QString> &windows);

// Binds each name of unboundNew whose name under an earlier naming rule is exactly one name of
// unboundOld, that no other name of unboundNew claims too, and removes both names from the
// lists. windows: this run's window names, the first part of the names that carry one. The
// bindings are appended marked byRule; what is left is for the user.
void BindByNamingRules(ObjectKind kind, const QSet<QString> &windows, QStringList &unboundOld, QStringList &unboundNew,
                       BindingList &bindings);

} // namespace quarvel
