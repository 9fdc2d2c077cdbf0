#include "app/StepsTable.h"

#include <algorithm>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>

namespace {

struct TColumn {
    const char* Header;
    const char* Widest; // the widest value the column shows
};

constexpr TColumn Columns[] = {
    {"t", "-188"},           {"P,kPa", "99999.9"}, {"x", "0.000"},      {"v,m³/kg", "0.000000"},
    {"h,kJ/kgK", "9999.99"}, {"V,m/s", "999.999"}, {"dL,m", "-0.0000"}, {"L,m", "-00.000"},
};

} // namespace

QList<QTextOption::Tab> StepTabs(const QWidget* widget)
{
    // The same stops for the bold header and the plain rows.
    QFont regular = widget->font();
    regular.setBold(false);
    QFont bold = regular;
    bold.setBold(true);
    const QFontMetricsF plain(regular);
    const QFontMetricsF header(bold);
    const qreal gap = plain.horizontalAdvance(QStringLiteral("00"));
    QList<QTextOption::Tab> tabs;
    qreal position = 0;
    for (std::size_t i = 0; i + 1 < std::size(Columns); ++i) {
        position += std::max(header.horizontalAdvance(QString::fromUtf8(Columns[i].Header)),
                             plain.horizontalAdvance(QString::fromUtf8(Columns[i].Widest))) +
                    gap;
        tabs.append(QTextOption::Tab(position, QTextOption::LeftTab));
    }
    return tabs;
}

QString StepsHeaderColumns()
{
    QStringList headers;
    for (const auto& column : Columns)
        headers.append(QString::fromUtf8(column.Header));
    return headers.join('\t');
}

QTextEdit* NewTabbedView(QWidget* parent)
{
    auto* view = new QTextEdit(parent);
    view->setReadOnly(true);
    view->setLineWrapMode(QTextEdit::NoWrap);
    view->setWordWrapMode(QTextOption::NoWrap);
    view->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    // Nothing can be typed here: no caret, though the keys still select.
    view->setCursorWidth(0);
    return view;
}

void AppendTabbedLine(QTextEdit* view, const QString& line)
{
    QTextCursor cursor(view->document());
    cursor.movePosition(QTextCursor::End);
    QTextBlockFormat format;
    format.setTabPositions(StepTabs(view));
    if (view->document()->isEmpty())
        cursor.setBlockFormat(format);
    else
        cursor.insertBlock(format);
    cursor.insertText(line);
}
