// Carries bindings through lines of text, binding after binding in list order, without
// rescanning every line for every binding: a binding is tried on a line only when its old
// name, upper-cased, is one of the line's name fragments (see below). A chain A > B, B > C
// still applies in order, because a changed line is looked at again for the later bindings.
#pragma once

#include "model/renames.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <bitset>
#include <optional>
#include <unordered_map>
#include <vector>

namespace quarvel {

// One kind of replacement: before + old + after becomes before + new + after, in any letter
// case, in code and comments, never inside a string literal nor in a name of another module
// (Other::Name).
struct ReplacementRule {
    enum Mode { Word, Variable };
    // Word: whole words only. Variable: the whole word as a variable, not as a constant,
    // pointer, structure field, type, label, module or bracketed name (#Name, *Name, \Name,
    // .Name, ?Name, Name::, Name(...)), and not in the fields a Structure block declares. A
    // word followed by "$" is another name.
    Mode mode;
    QString before;
    QString after;
    std::optional<ObjectKind> kind; // the bindings this rule takes: that kind only, or every kind

    bool Takes(const ConstantBinding &binding) const { return !kind || *kind == binding.kind; }
};

class BindingReplacer {
public:
    explicit BindingReplacer(const BindingList &bindings);

    // Applies the rules to every line: for each binding in order, each rule in order. Returns
    // the number of replacements that changed a line (a line changed by several bindings or
    // rules counts several times).
    int Apply(QStringList &lines, const QList<ReplacementRule> &rules) const;

private:
    // everyBinding: a rule the fragments cannot serve, so every binding is tried.
    int ApplyToLine(QString &line, const QList<ReplacementRule> &rules, bool everyBinding) const;
    std::vector<int> Candidates(const QString &line, int after, bool everyBinding) const;

    struct ViewHash {
        size_t operator()(QStringView view) const { return qHash(view); }
    };

    const BindingList &bindings_;
    QStringList upperOldNames_;                                             // the keys below point into these
    std::unordered_map<QStringView, std::vector<int>, ViewHash> byOldName_; // upper-cased old name -> binding indexes
    std::vector<int> everywhere_;                                           // old names the fragments cannot find
    // Cheap tests before a hash lookup: most fragments of a line are no old name at all.
    std::bitset<128> firstChars_;
    std::vector<bool> lengths_;
};

// Applies one rule of one binding to a line.
QString ApplyRule(const QString &line, const ReplacementRule &rule, const ConstantBinding &binding);

} // namespace quarvel
