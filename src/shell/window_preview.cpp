#include "shell/window_preview.h"

#include "shell/theme_colours.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionButton>

namespace quarvel {

WindowPreview::WindowPreview(QWidget *parent) : QWidget(parent)
{
    setMinimumSize(200, 150);
    setAccessibleName(tr("Window preview"));
    setMouseTracking(false);
}

void WindowPreview::ShowPicture(PreviewPicture picture)
{
    picture_ = std::move(picture);
    selected_ = -1;
    update();
}

void WindowPreview::Clear()
{
    ShowPicture({});
}

void WindowPreview::Select(qsizetype fact)
{
    selected_ = fact;
    update();
}

QRect WindowPreview::Frame() const
{
    int height = StripsAbove(picture_) + picture_.size.height() + (picture_.statusBar ? PreviewSizes::StatusHeight : 0);
    for (const PreviewGadget &gadget : picture_.gadgets) {
        if (!gadget.placed)
            height = qMax(height, StripsAbove(picture_) + gadget.box.bottom() + 1);
    }
    return QRect(0, 0, picture_.size.width(), height);
}

// The picture scaled down (never up) to fit the widget, centred.
QTransform WindowPreview::ToWidget() const
{
    const QRect frame = Frame().adjusted(-PreviewSizes::Margin, -PreviewSizes::Margin, PreviewSizes::Margin,
                                         PreviewSizes::Margin);
    if (frame.isEmpty())
        return {};
    const double scale = qMin(1.0, qMin(width() / double(frame.width()), height() / double(frame.height())));
    QTransform transform;
    transform.translate((width() - frame.width() * scale) / 2, (height() - frame.height() * scale) / 2);
    transform.scale(scale, scale);
    transform.translate(PreviewSizes::Margin, PreviewSizes::Margin);
    return transform;
}

qsizetype WindowPreview::FactAt(const QPoint &point) const
{
    bool invertible = false;
    const QPoint at = ToWidget().inverted(&invertible).map(point) - QPoint(0, StripsAbove(picture_));
    if (!invertible)
        return -1;
    for (qsizetype i = picture_.gadgets.size() - 1; i >= 0; --i) {
        if (picture_.gadgets[i].box.contains(at))
            return picture_.gadgets[i].fact;
    }
    return -1;
}

QRect WindowPreview::BoxOf(qsizetype fact) const
{
    for (const PreviewGadget &gadget : picture_.gadgets) {
        if (gadget.fact == fact)
            return ToWidget().mapRect(gadget.box.translated(0, StripsAbove(picture_)));
    }
    return {};
}

void WindowPreview::mousePressEvent(QMouseEvent *event)
{
    if (const qsizetype fact = FactAt(event->position().toPoint()); fact >= 0) {
        Select(fact);
        emit gadgetClicked(fact);
    }
}

void WindowPreview::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (const qsizetype fact = FactAt(event->position().toPoint()); fact >= 0)
        emit gadgetActivated(fact);
}

namespace {

// The widget's palette as a style sheet left it: one that sets only the background and text
// colours leaves the theme's light fields and backdrop, so those follow the window colours then.
QPalette Readable(QPalette palette)
{
    if (ContrastRatio(palette.color(QPalette::Text), palette.color(QPalette::Base)) < MinimumContrast) {
        palette.setColor(QPalette::Base, palette.color(QPalette::Window));
        palette.setColor(QPalette::Text, palette.color(QPalette::WindowText));
    }
    const QColor window = palette.color(QPalette::Window);
    const bool dark = ContrastRatio(window, Qt::white) > ContrastRatio(window, Qt::black);
    palette.setColor(QPalette::Dark, dark ? window.lighter(160) : window.darker(125));
    palette.setColor(QPalette::BrightText, palette.color(QPalette::WindowText));
    return palette;
}

// A button, check box or option as the style draws one, so that it looks as the theme has it.
void DrawStyledButton(QPainter &painter, const QWidget &widget, const QPalette &palette, const QRect &box,
                      const QString &label, QStyle::ControlElement element, QStyle::State state)
{
    QStyleOptionButton option;
    option.initFrom(&widget);
    option.palette = palette;
    option.rect = box;
    option.text = label;
    option.state = QStyle::State_Enabled | state;
    widget.style()->drawControl(element, &option, &painter, &widget);
}

// A panel's tabs along its top, the first one in front, and the line under them.
void DrawPanelTabs(QPainter &painter, const QPalette &palette, const PreviewGadget &gadget)
{
    const QRect box = gadget.box;
    int x = box.left() + 2;
    for (int tab = 0; tab < gadget.tabs.size(); ++tab) {
        const int width = painter.fontMetrics().horizontalAdvance(gadget.tabs[tab]) + 14;
        const QRect tabBox(x, box.top() + 1, width, PreviewSizes::TabHeight - 2);
        painter.setBrush(tab == 0 ? palette.color(QPalette::Window) : palette.color(QPalette::Button));
        painter.drawRect(tabBox);
        painter.drawText(tabBox, Qt::AlignCenter, gadget.tabs[tab]);
        x += width;
    }
    painter.drawLine(box.left(), box.top() + PreviewSizes::TabHeight, box.right(), box.top() + PreviewSizes::TabHeight);
}

// Any other gadget: a frame, filled as a field where the user types or picks, and its text (or
// its command and name) inside; a panel shows its tabs instead.
void DrawFramedGadget(QPainter &painter, const QPalette &palette, const PreviewGadget &gadget)
{
    const QRect box = gadget.box;
    const bool field = gadget.command.contains(u"String", Qt::CaseInsensitive)
                       || gadget.command.contains(u"List", Qt::CaseInsensitive)
                       || gadget.command.contains(u"Tree", Qt::CaseInsensitive)
                       || gadget.command.contains(u"Editor", Qt::CaseInsensitive)
                       || gadget.command.contains(u"Combo", Qt::CaseInsensitive);
    painter.setPen(palette.color(QPalette::Mid));
    painter.setBrush(field ? QBrush(palette.color(QPalette::Base)) : QBrush(Qt::NoBrush));
    painter.drawRect(box.adjusted(0, 0, -1, -1));
    if (IsCommand(gadget.command, u"PanelGadget")) {
        DrawPanelTabs(painter, palette, gadget);
        return;
    }
    const QRect inner = box.adjusted(4, 2, -4, -2);
    if (inner.isEmpty())
        return;
    painter.setPen(palette.color(field ? QPalette::Text : QPalette::WindowText));
    painter.drawText(inner, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                     gadget.text.isEmpty() ? gadget.command + QLatin1Char(' ') + gadget.name : gadget.text);
}

// A gadget whose place was never guessed is marked instead: hatched, with a question mark.
void MarkUnplaced(QPainter &painter, const QPalette &palette, const QRect &box)
{
    painter.setPen(QPen(palette.color(QPalette::Highlight), 1, Qt::DashLine));
    painter.setBrush(QBrush(palette.color(QPalette::Highlight), Qt::BDiagPattern));
    painter.drawRect(box.adjusted(0, 0, -1, -1));
    painter.setPen(palette.color(QPalette::WindowText));
    painter.drawText(box.adjusted(4, 0, -4, 0), Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("?"));
}

void DrawGadget(QPainter &painter, const QWidget &widget, const QPalette &palette, const PreviewGadget &gadget)
{
    const QRect box = gadget.box;
    painter.save();
    painter.setClipRect(box.adjusted(-1, -1, 1, 1));
    const QString label = gadget.text.isEmpty() ? gadget.name : gadget.text;
    if (IsCommand(gadget.command, u"ButtonGadget") || IsCommand(gadget.command, u"ButtonImageGadget")) {
        DrawStyledButton(painter, widget, palette, box, label, QStyle::CE_PushButton, QStyle::State_Raised);
    } else if (IsCommand(gadget.command, u"TextGadget")) {
        painter.setPen(palette.color(QPalette::WindowText));
        painter.drawText(box, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, label);
    } else if (IsCommand(gadget.command, u"CheckBoxGadget") || IsCommand(gadget.command, u"OptionGadget")) {
        DrawStyledButton(painter, widget, palette, box, label,
                         IsCommand(gadget.command, u"OptionGadget") ? QStyle::CE_RadioButton : QStyle::CE_CheckBox,
                         QStyle::State_Off);
    } else {
        DrawFramedGadget(painter, palette, gadget);
    }
    if (!gadget.placed)
        MarkUnplaced(painter, palette, box);
    painter.restore();
}

} // namespace

void WindowPreview::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QPalette colours = Readable(palette());
    painter.fillRect(rect(), colours.color(QPalette::Dark));
    if (picture_.size.isEmpty()) {
        painter.setPen(colours.color(QPalette::BrightText));
        painter.drawText(rect(), Qt::AlignCenter | Qt::TextWordWrap, tr("Select a window to see it here."));
        return;
    }
    painter.setTransform(ToWidget());
    const int width = picture_.size.width();
    int top = 0;
    painter.fillRect(QRect(0, 0, width, PreviewSizes::TitleHeight), colours.color(QPalette::Highlight));
    painter.setPen(colours.color(QPalette::HighlightedText));
    painter.drawText(QRect(8, 0, width - 16, PreviewSizes::TitleHeight), Qt::AlignVCenter | Qt::TextSingleLine,
                     picture_.title + (picture_.sized ? QString() : tr("   (size not a number)")));
    top += PreviewSizes::TitleHeight;
    painter.fillRect(QRect(0, top, width, StripsAbove(picture_) - PreviewSizes::TitleHeight + picture_.size.height()),
                     colours.color(QPalette::Window));
    painter.setPen(colours.color(QPalette::WindowText));
    if (!picture_.menuTitles.isEmpty()) {
        painter.drawText(QRect(8, top, width - 16, PreviewSizes::MenuHeight), Qt::AlignVCenter | Qt::TextSingleLine,
                         picture_.menuTitles.join(QStringLiteral("    ")));
        top += PreviewSizes::MenuHeight;
    }
    if (picture_.toolBarButtons > 0) {
        painter.setPen(colours.color(QPalette::Mid));
        for (int b = 0; b < picture_.toolBarButtons; ++b)
            painter.drawRect(QRect(6 + b * 26, top + 3, 22, 22));
        top += PreviewSizes::ToolBarHeight;
    }
    painter.translate(0, top);
    for (const PreviewGadget &gadget : std::as_const(picture_.gadgets))
        DrawGadget(painter, *this, colours, gadget);
    if (picture_.statusBar) {
        const QRect status(0, picture_.size.height(), width, PreviewSizes::StatusHeight);
        painter.fillRect(status, colours.color(QPalette::Button));
        painter.setPen(colours.color(QPalette::Mid));
        painter.drawLine(status.topLeft(), status.topRight());
    }
    for (const PreviewGadget &gadget : std::as_const(picture_.gadgets)) {
        if (gadget.fact == selected_) {
            painter.setPen(QPen(colours.color(QPalette::Highlight), 3));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(gadget.box.adjusted(-2, -2, 1, 1));
        }
    }
}

} // namespace quarvel
