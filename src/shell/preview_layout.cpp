#include "shell/preview_layout.h"

#include "base/no_case_key.h"
#include "base/statement_scan.h"
#include "model/object_parts.h"

#include <QHash>

#include <optional>
#include <vector>

namespace quarvel {

bool IsCommand(QStringView command, QStringView name)
{
    return command.compare(name, Qt::CaseInsensitive) == 0;
}

int StripsAbove(const PreviewPicture &picture)
{
    return PreviewSizes::TitleHeight + (picture.menuTitles.isEmpty() ? 0 : PreviewSizes::MenuHeight)
           + (picture.toolBarButtons ? PreviewSizes::ToolBarHeight : 0);
}

namespace {

const QSize UnplacedSize(140, 26);

std::optional<int> Number(QStringView text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

bool IsContainer(QStringView command)
{
    return IsCommand(command, u"ContainerGadget") || IsCommand(command, u"PanelGadget")
           || IsCommand(command, u"ScrollAreaGadget");
}

// A gadget's name as an argument gives it, without blanks and "#".
QStringView NameOf(QStringView argument)
{
    QStringView name = argument.trimmed();
    return name.startsWith(QLatin1Char('#')) ? name.mid(1) : name;
}

// An open gadget list: the container whose children follow, where they start and which of a
// panel's tabs they are on.
struct OpenList {
    QPoint origin;
    int tab = -1;
    bool shown = true; // false on a panel's later tabs and inside anything hidden
    QString panel;     // the panel's name, when the list is a panel's
};

// The calls of a line that shape the picture but create no object.
struct LineCall {
    QStringView command;
    QList<QStringView> arguments;
};

std::optional<LineCall> CallOf(const QString &line)
{
    const qsizetype bracket = line.indexOf(QLatin1Char('('));
    if (bracket <= 0)
        return std::nullopt;
    LineCall call{CommandBefore(line, bracket), CallArguments(line, bracket)};
    return call.command.isEmpty() ? std::nullopt : std::optional<LineCall>(call);
}

// A size given by a parameter of the procedure that opens the window, as the form designer
// writes it ("Procedure OpenMain(x = 0, y = 0, width = 600, height = 400)"): its default.
std::optional<int> ParameterDefault(const QStringList &lines, int windowLine, QStringView parameter)
{
    for (int line = windowLine - 1; line >= 1 && line <= lines.size(); --line) {
        const QString &text = lines[line - 1];
        const qsizetype head = text.indexOf(QLatin1String("Procedure"), 0, Qt::CaseInsensitive);
        if (head < 0 || !text.left(head).trimmed().isEmpty())
            continue;
        const qsizetype bracket = text.indexOf(QLatin1Char('('), head);
        if (bracket < 0)
            return std::nullopt;
        for (const QStringView argument : CallArguments(text, bracket)) {
            const qsizetype equals = argument.indexOf(QLatin1Char('='));
            if (equals > 0 && argument.left(equals).trimmed().compare(parameter, Qt::CaseInsensitive) == 0)
                return Number(argument.mid(equals + 1));
        }
        return std::nullopt;
    }
    return std::nullopt;
}

class Layout {
public:
    Layout(const QList<ObjectFact> &facts, qsizetype window) : facts_(facts), window_(window) {}

    PreviewPicture Picture(const QStringList &sourceLines)
    {
        const ObjectFact &window = facts_[window_];
        const ObjectParts parts = PartsOf(window);
        picture_.title = parts.text.toString();
        const auto size = [&](QStringView given) {
            const std::optional<int> number = Number(given);
            return number ? number : ParameterDefault(sourceLines, window.line, given.trimmed());
        };
        const std::optional<int> width = size(parts.width), height = size(parts.height);
        picture_.sized = width && height;
        picture_.size = picture_.sized ? QSize(*width, *height) : QSize();
        QHash<int, qsizetype> createdAt; // source line -> fact
        int lastLine = window.line;
        for (qsizetype i = 0; i < facts_.size(); ++i) {
            const ObjectFact &fact = facts_[i];
            if (i == window_ || fact.window != window.name || fact.file != window.file)
                continue;
            createdAt.insert(fact.line, i);
            lastLine = qMax(lastLine, fact.line);
            if (fact.kind == ObjectKind::ToolBarButton)
                ++picture_.toolBarButtons;
            picture_.statusBar = picture_.statusBar || fact.kind == ObjectKind::StatusBar;
        }
        lists_.push_back({QPoint(0, 0), -1, true, QString()});
        for (int line = window.line; line <= lastLine && line <= sourceLines.size(); ++line) {
            const qsizetype fact = createdAt.value(line, -1);
            if (fact >= 0 && facts_[fact].kind == ObjectKind::Gadget)
                AddGadget(fact, SourceName(sourceLines[line - 1]));
            else
                FollowCall(sourceLines[line - 1]);
        }
        PlaceSplitterChildren();
        SizeFromGadgets();
        RowUnplaced();
        return picture_;
    }

private:
    // The name the source itself gives the gadget it creates on a line, before any prefix: the
    // first argument, or for #PB_Any the variable assigned.
    static QString SourceName(const QString &line)
    {
        const std::optional<LineCall> call = CallOf(line);
        if (!call || call->arguments.isEmpty())
            return {};
        if (call->arguments.first().compare(u"#PB_Any", Qt::CaseInsensitive) != 0)
            return NameOf(call->arguments.first()).toString();
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        return equals > 0 ? NameOf(QStringView(line).left(equals).split(QLatin1Char(' ')).last()).toString()
                          : QString();
    }

    // The gadget of the picture a name (in any letter case) or argument names; -1 for none.
    qsizetype GadgetNamed(QStringView argument) const { return indexOf_.value(NoCaseKey(NameOf(argument)), -1); }

    void AddGadget(qsizetype fact, const QString &sourceName)
    {
        const ObjectParts parts = PartsOf(facts_[fact]);
        PreviewGadget gadget{
            fact, parts.command.toString(), facts_[fact].Constant(), parts.text.toString(), facts_[fact].tabs, QRect(),
            true};
        const std::optional<int> x = Number(parts.x), y = Number(parts.y), w = Number(parts.width),
                                 h = Number(parts.height);
        const OpenList &list = lists_.back();
        gadget.placed = x && y && w && h;
        if (gadget.placed)
            gadget.box = QRect(list.origin + QPoint(*x, *y), QSize(qMax(*w, 1), qMax(*h, 1)));
        const bool shown = list.shown;
        if (shown) {
            indexOf_.insert(NoCaseKey::Holding(NameOf(gadget.name).toString()), picture_.gadgets.size());
            if (!sourceName.isEmpty())
                indexOf_.insert(NoCaseKey::Holding(sourceName), picture_.gadgets.size());
            picture_.gadgets.append(gadget);
        }
        if (IsContainer(parts.command)) {
            const bool panel = IsCommand(parts.command, u"PanelGadget");
            const QPoint inside = gadget.box.topLeft() + QPoint(2, panel ? PreviewSizes::TabHeight + 2 : 2);
            lists_.push_back({inside, panel ? -1 : 0, shown && gadget.placed, panel ? sourceName : QString()});
        }
        if (shown && IsCommand(parts.command, u"SplitterGadget"))
            splitters_.append(picture_.gadgets.size() - 1);
    }

    // CloseGadgetList, OpenGadgetList, a panel's AddGadgetItem and MenuTitle.
    void FollowCall(const QString &line)
    {
        const std::optional<LineCall> call = CallOf(line);
        if (!call)
            return;
        if (IsCommand(call->command, u"CloseGadgetList")) {
            if (lists_.size() > 1)
                lists_.pop_back();
        } else if (IsCommand(call->command, u"MenuTitle") && !call->arguments.isEmpty()) {
            picture_.menuTitles << StringInside(call->arguments.first()).toString();
        } else if (IsCommand(call->command, u"AddGadgetItem") && !call->arguments.isEmpty()) {
            OpenList &list = lists_.back();
            if (!list.panel.isEmpty()
                && NameOf(call->arguments.first()).compare(list.panel, Qt::CaseInsensitive) == 0) {
                ++list.tab;
                list.shown = list.tab == 0 && (lists_.size() < 2 || lists_[lists_.size() - 2].shown);
            }
        } else if (IsCommand(call->command, u"OpenGadgetList") && !call->arguments.isEmpty()) {
            const qsizetype at = GadgetNamed(call->arguments.first());
            const bool known = at >= 0 && picture_.gadgets[at].placed;
            lists_.push_back(
                {known ? picture_.gadgets[at].box.topLeft() + QPoint(2, 2) : QPoint(), 0, known, QString()});
        }
    }

    // A splitter shows its two gadgets in its halves, wherever their own lines put them.
    void PlaceSplitterChildren()
    {
        for (const qsizetype s : splitters_) {
            const PreviewGadget &splitter = picture_.gadgets[s];
            const QList<QStringView> arguments = CallArguments(facts_[splitter.fact].statement,
                                                               facts_[splitter.fact].bracket);
            if (arguments.size() < 7)
                continue;
            const bool sideBySide = arguments.size() > 7 && arguments[7].contains(u"Vertical", Qt::CaseInsensitive);
            const QRect box = splitter.box;
            const QRect halves[] = {
                sideBySide ? QRect(box.left(), box.top(), box.width() / 2 - 3, box.height())
                           : QRect(box.left(), box.top(), box.width(), box.height() / 2 - 3),
                sideBySide ? QRect(box.left() + box.width() / 2 + 3, box.top(), box.width() / 2 - 3, box.height())
                           : QRect(box.left(), box.top() + box.height() / 2 + 3, box.width(), box.height() / 2 - 3)};
            for (int half = 0; half < 2; ++half) {
                const qsizetype at = GadgetNamed(arguments[5 + half]);
                if (at >= 0 && splitter.placed) {
                    picture_.gadgets[at].box = halves[half];
                    picture_.gadgets[at].placed = true;
                }
            }
        }
    }

    void SizeFromGadgets()
    {
        if (picture_.sized)
            return;
        QRect extent(0, 0, 320, 200);
        for (const PreviewGadget &gadget : std::as_const(picture_.gadgets)) {
            if (gadget.placed)
                extent |= gadget.box;
        }
        picture_.size = QSize(extent.right() + PreviewSizes::Margin, extent.bottom() + PreviewSizes::Margin);
    }

    // The gadgets without numbers, in rows under the window.
    void RowUnplaced()
    {
        const int perRow = qMax(1, picture_.size.width() / (UnplacedSize.width() + 8));
        int count = 0;
        for (PreviewGadget &gadget : picture_.gadgets) {
            if (gadget.placed)
                continue;
            const int row = count / perRow, column = count % perRow;
            gadget.box = QRect(QPoint(column * (UnplacedSize.width() + 8),
                                      picture_.size.height() + PreviewSizes::StatusHeight + PreviewSizes::Margin
                                          + row * (UnplacedSize.height() + 8)),
                               UnplacedSize);
            ++count;
        }
    }

    const QList<ObjectFact> &facts_;
    qsizetype window_;
    PreviewPicture picture_;
    std::vector<OpenList> lists_;
    QHash<NoCaseKey, qsizetype> indexOf_; // name in any letter case -> its gadget in the picture
    QList<qsizetype> splitters_;
};

} // namespace

PreviewPicture LayOutWindow(const QList<ObjectFact> &facts, qsizetype window, const QStringList &sourceLines)
{
    if (window < 0 || window >= facts.size() || facts[window].kind != ObjectKind::Window)
        return {};
    return Layout(facts, window).Picture(sourceLines);
}

} // namespace quarvel
