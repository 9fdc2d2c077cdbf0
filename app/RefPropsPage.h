#pragma once

#include <QWidget>
#include <string>
#include <vector>

class QTextBrowser;

// The RefProps page: the current refrigerant's fact sheet.
class TRefPropsPage : public QWidget {
    Q_OBJECT

public:
    explicit TRefPropsPage(QWidget* parent = nullptr);

    // Shows the fact sheet of these HTML lines.
    void ShowLines(const std::vector<std::string>& lines);

    QTextBrowser* HTMLViewer1;
};
