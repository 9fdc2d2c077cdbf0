#pragma once

#include <QList>
#include <QTextOption>

class QTextEdit;
class QWidget;

// The simulation steps table: tab-separated rows that line up under their
// tab-separated header. There is one tab stop per column after the first;
// each column is as wide as its widest content (header or value) in the
// view's font, so that no value runs past the next stop.
QList<QTextOption::Tab> StepTabs(const QWidget* widget);

// The header above the steps table, one column per tab.
QString StepsHeaderColumns();

// A read-only text view without line wrapping, for tab-stopped lines.
QTextEdit* NewTabbedView(QWidget* parent);

// Appends one line as its own paragraph with the steps table's tab stops.
void AppendTabbedLine(QTextEdit* view, const QString& line);
