#include "app/RefPropsPage.h"

#include "app/RefPropsSheet.h"

#include <QTextBrowser>
#include <QVBoxLayout>

TRefPropsPage::TRefPropsPage(QWidget* parent) : QWidget(parent)
{
    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(0, 0, 0, 0);
    HTMLViewer1 = new QTextBrowser(this);
    HTMLViewer1->setObjectName("HTMLViewer1");
    // Links in library texts lead nowhere: the sheet is only read.
    HTMLViewer1->setOpenLinks(false);
    HTMLViewer1->setOpenExternalLinks(false);
    HTMLViewer1->setAccessibleName(tr("Refrigerant properties"));
    page->addWidget(HTMLViewer1);
}

void TRefPropsPage::ShowLines(const std::vector<std::string>& lines)
{
    HTMLViewer1->setHtml(QString::fromStdString(RefPropsViewDocument(lines)));
}
