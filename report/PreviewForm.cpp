// The preview window: its controls, showing pages, the tool bar buttons and
// the window's own events. The margin lines and the mouse are in
// PreviewMargins.cpp.
#include "report/PreviewForm.h"

#include "common/Rounding.h"
#include "report/PageImage.h"
#include "report/ReportExport.h"
#include "report/ReportServices.h"
#include "report/ReportSettings.h"
#include "services/FormPlacement.h"
#include "services/UserFeedback.h"

#include <algorithm>
#include <QAbstractPrintDialog>
#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>

// The tool bar pictures live in the report's static library; their resources
// are registered before the first use (outside any namespace, as the
// resource system requires).
static void InitPreviewIcons()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(preview);
        return true;
    }();
    (void)registered;
}

namespace {

int Rounded(double x)
{
    return static_cast<int>(Round(x));
}

// The hourglass while the report is laid out; the cursor before it comes
// back however the layout ends.
class THourglass {
public:
    THourglass() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~THourglass() { QApplication::restoreOverrideCursor(); }
    THourglass(const THourglass&) = delete;
    THourglass& operator=(const THourglass&) = delete;
};

// Qt's print dialog as the printer set-up: printer, paper, orientation and
// copies, confirmed with OK rather than Print, since nothing is printed.
bool RunQtPrinterSetup(QPrinter& printer, QWidget* parent)
{
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QObject::tr("Printer Setup"));
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize |
                      QAbstractPrintDialog::PrintCollateCopies);
    for (auto* buttons : dialog.findChildren<QDialogButtonBox*>()) {
        if (QPushButton* ok = buttons->button(QDialogButtonBox::Ok))
            ok->setText(QObject::tr("OK"));
    }
    return dialog.exec() == QDialog::Accepted;
}

void Call(const std::function<void()>& hook)
{
    if (hook)
        hook();
}

} // namespace

TPreviewForm::TPreviewForm(TPageEngine& engine, std::function<QPrinter&()> printer, QWidget* parent)
    : QDialog(parent), Engine_(engine), Printer_(std::move(printer))
{
    InitPreviewIcons();
    setObjectName(QStringLiteral("PreviewForm"));
    setWindowTitle(tr("Report Preview"));
    setSizeGripEnabled(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    BuildToolBar();
    layout->addWidget(ToolBar1);

    RepScrollBox = new QScrollArea(this);
    RepScrollBox->setObjectName(QStringLiteral("RepScrollBox"));
    RepScrollBox->setFrameShape(QFrame::NoFrame);
    RepScrollBox->setWidgetResizable(false);
    RepScrollBox->setFocusPolicy(Qt::NoFocus);
    RepScrollBox->setBackgroundRole(QPalette::Dark);
    PageBox_ = new QWidget;
    RepImage = new TPageImage(PageBox_);
    RepImage->setObjectName(QStringLiteral("RepImage"));
    RepImage->OnMouseDown = [this](Qt::MouseButton b, QPoint p) { ImageMouseDown(b, p); };
    RepImage->OnMouseMove = [this](Qt::MouseButtons b, QPoint p) { ImageMouseMove(b, p); };
    RepImage->OnMouseUp = [this](Qt::MouseButton b, QPoint p) { ImageMouseUp(b, p); };
    RepScrollBox->setWidget(PageBox_);
    layout->addWidget(RepScrollBox, 1);

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    const int minimumWidths[] = {70, 50};
    for (std::size_t i = 0; i < StatusPanels.size(); ++i) {
        auto* panel = new QLabel(StatusBar1);
        panel->setTextFormat(Qt::PlainText);
        panel->setMinimumWidth(minimumWidths[i]);
        // No name of its own: a screen reader reads the panel out with the
        // text it shows, whenever that changes, and says what it is for.
        panel->setAccessibleDescription(i == 0 ? tr("Margin position") : tr("Printer"));
        StatusBar1->addWidget(panel, static_cast<int>(i));
        StatusPanels[i] = panel;
    }
    layout->addWidget(StatusBar1);

    RunFontDialog = [](QFontDialog& dialog) { return dialog.exec() == QDialog::Accepted; };
    RunPrinterSetup = [this](QPrinter& p) { return RunQtPrinterSetup(p, this); };

    Export = new TReportExport(this, Engine_);

    Engine_.OnMessage = [this](const std::string& message) {
        Feedback().Message(this, QString::fromStdString(message));
    };

    // Keys reach the window before its controls; mouse moves off the page
    // put the cursor back; a resized box shows the page again.
    for (QWidget* tracked : {static_cast<QWidget*>(this), RepScrollBox->viewport(), PageBox_,
                             static_cast<QWidget*>(ToolBar1), static_cast<QWidget*>(StatusBar1)})
        tracked->setMouseTracking(true);
    for (QWidget* child : findChildren<QWidget*>()) {
        if (child != RepImage)
            child->installEventFilter(this);
    }
    FormCreate();
}

TPreviewForm::~TPreviewForm()
{
    // The engine outlives the window; its messages no longer come here.
    Engine_.OnMessage = nullptr;
}

void TPreviewForm::FormCreate()
{
    CurrentPage = 0;
    Engine_.ZoomMode = zmActualSize;
    resize(536, 449);
    setMinimumSize(347, 385);
    try {
        LoadFormPlacement(*this);
    } catch (const std::exception& error) {
        Feedback().Message(this, QStringLiteral("Error on Report FormCreate... \r\n") +
                                     QString::fromUtf8(error.what()));
    }
}

QAction* TPreviewForm::AddButton(const QString& icon, const QString& hint,
                                 void (TPreviewForm::*handler)())
{
    QAction* action =
        ToolBar1->addAction(QIcon(QStringLiteral(":/preview/") + icon + ".svg"), hint);
    action->setToolTip(hint);
    action->setStatusTip(hint);
    connect(action, &QAction::triggered, this,
            [this, handler] { Guarded(this, [&] { (this->*handler)(); }); });
    return action;
}

void TPreviewForm::BuildToolBar()
{
    ToolBar1 = new QToolBar(this);
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setIconSize(QSize(24, 24));
    ToolBar1->setToolButtonStyle(Qt::ToolButtonIconOnly);
    PrintBtn = AddButton("print", tr("Print"), &TPreviewForm::PrintBtnClick);
    PrintBtn->setShortcut(QKeySequence::Print);
    PrintSetupBtn =
        AddButton("printer-setup", tr("Printer Setup"), &TPreviewForm::PrintSetupBtnClick);
    ToolBar1->addSeparator();
    GIFBtn = AddButton("gif", tr("Write report to a GIF file."), &TPreviewForm::GIFBtnClick);
    PDFBtn = AddButton("pdf", tr("Write report to a PDF file."), &TPreviewForm::PDFBtnClick);
    EMailBtn =
        AddButton("email", tr("Send report as email attachment"), &TPreviewForm::EMailBtnClick);
    ToolBar1->addSeparator();
    PrevPageBtn = AddButton("previous-page", tr("Previous page"), &TPreviewForm::PrevPageBtnClick);
    NextPageBtn = AddButton("next-page", tr("Next page"), &TPreviewForm::NextPageBtnClick);
    ToolBar1->addSeparator();
    ZoomFullPageBtn =
        AddButton("full-page", tr("View Full Page"), &TPreviewForm::ZoomFullPageBtnClick);
    Zoom100Btn = AddButton("actual-size", tr("100%"), &TPreviewForm::Zoom100BtnClick);
    ToolBar1->addSeparator();
    FontBtn = AddButton("font", tr("Change font"), &TPreviewForm::FontBtnClick);
    MarginsBtn = AddButton("margins", tr("Margins on/off"), &TPreviewForm::MarginsBtnClick);
    MarginsBtn->setCheckable(true);
    DefaultMarginsBtn =
        AddButton("reset-margins", tr("Reset margins"), &TPreviewForm::DefaultMarginsBtnClick);
    ToolBar1->addSeparator();
    CloseBtn = AddButton("close", tr("Close"), &TPreviewForm::CloseBtnClick);
    const QAction* named[] = {PrintBtn,    PrintSetupBtn,     GIFBtn,          PDFBtn,     EMailBtn,
                              PrevPageBtn, NextPageBtn,       ZoomFullPageBtn, Zoom100Btn, FontBtn,
                              MarginsBtn,  DefaultMarginsBtn, CloseBtn};
    const char* names[] = {"PrintBtn",   "PrintSetupBtn", "GIFBtn",      "PDFBtn",
                           "EMailBtn",   "PrevPageBtn",   "NextPageBtn", "ZoomFullPageBtn",
                           "Zoom100Btn", "FontBtn",       "MarginsBtn",  "DefaultMarginsBtn",
                           "CloseBtn"};
    for (std::size_t i = 0; i < std::size(named); ++i)
        const_cast<QAction*>(named[i])->setObjectName(QString::fromLatin1(names[i]));
}

void TPreviewForm::ShowStatus(int panel, const QString& text)
{
    StatusPanels[static_cast<std::size_t>(panel)]->setText(text);
}

void TPreviewForm::SetScreenCursor(const QCursor& cursor)
{
    RepImage->setCursor(cursor);
}

void TPreviewForm::DoReport()
{
    {
        const THourglass hourglass;
        Engine_.RenderPreview();
    }
    ShowStatus(1, Engine_.PrinterStatus);
    ShowPage();
}

void TPreviewForm::ShowPage()
{
    if (Engine_.Pages.empty())
        return;
    const int last = static_cast<int>(Engine_.Pages.size()) - 1;
    CurrentPage = std::clamp(CurrentPage, 0, last);
    const QImage& page = Engine_.Pages[static_cast<std::size_t>(CurrentPage)];

    QImage shown;
    int left = 0;
    QSize box;
    if (Engine_.ZoomMode == zmWholePage) {
        // The whole page as high as the box, centred across it (starting
        // left of it when the box is narrower than the page).
        RepScrollBox->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        RepScrollBox->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        box = RepScrollBox->viewport()->size();
        const int height = std::max(box.height(), 1);
        const int width =
            std::max(Rounded(static_cast<double>(page.width()) / page.height() * height), 1);
        left = Rounded((box.width() - width) / 2.0);
        shown = page.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    } else {
        RepScrollBox->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        RepScrollBox->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        shown = page; // pixel for pixel
        box = page.size();
    }
    RepScrollBox->verticalScrollBar()->setValue(0);
    RepScrollBox->horizontalScrollBar()->setValue(0);
    PageBox_->resize(box);
    RepImage->move(left, 0);
    RepImage->SetPicture(std::move(shown));

    Zoom100Btn->setEnabled(Engine_.ZoomMode == zmWholePage);
    ZoomFullPageBtn->setEnabled(Engine_.ZoomMode == zmActualSize);
    ScaleX = static_cast<double>(RepImage->Picture().width()) / page.width();
    ScaleY = static_cast<double>(RepImage->Picture().height()) / page.height();
    if (MarginsShown)
        DrawMarginLines();
}

void TPreviewForm::PrintBtnClick()
{
    // Qt's PDF printer without a file to write asks for one first; what
    // the user set up there (another printer, another paper) is the
    // preview's page too.
    QPrinter& printer = Printer_();
    const bool setUp =
        printer.outputFormat() == QPrinter::PdfFormat && printer.outputFileName().isEmpty();
    if (setUp && !RunPrinterSetup(printer))
        return;
    if (isVisible()) {
        Call(Engine_.OnStoreSettings);
        HideMargins();
    }
    // The printed copies are laid out on the printer's own page; the
    // preview's pages and lines stay as they are.
    if (Engine_.OnPrint)
        Engine_.OnPrint();
    if (setUp && isVisible())
        DoReport();
}

void TPreviewForm::PrintSetupBtnClick()
{
    if (RunPrinterSetup(Printer_()))
        DoReport();
}

void TPreviewForm::GIFBtnClick()
{
    Export->SaveGif();
}

void TPreviewForm::PDFBtnClick()
{
    if (!Engine_.DocumentTitle.isEmpty())
        Export->Title = Engine_.DocumentTitle;
    Export->SavePdf();
}

void TPreviewForm::EMailBtnClick()
{
    Export->SendEMail();
}

void TPreviewForm::PrevPageBtnClick()
{
    if (CurrentPage > 0) {
        --CurrentPage;
        ShowPage();
    }
}

void TPreviewForm::NextPageBtnClick()
{
    if (CurrentPage < Engine_.PageCount - 1) {
        ++CurrentPage;
        ShowPage();
    }
}

void TPreviewForm::ZoomFullPageBtnClick()
{
    Engine_.ZoomMode = zmWholePage;
    ShowPage();
}

void TPreviewForm::Zoom100BtnClick()
{
    Engine_.ZoomMode = zmActualSize;
    ShowPage();
}

void TPreviewForm::FontBtnClick()
{
    QFontDialog& dialog = FontDialog();
    dialog.setCurrentFont(Engine_.ReportFont);
    if (!RunFontDialog(dialog))
        return;
    Engine_.ReportFont = dialog.currentFont();
    DoReport();
    Call(Engine_.OnStoreSettings);
}

QFontDialog& TPreviewForm::FontDialog()
{
    if (FontDialog1 == nullptr) {
        FontDialog1 = new QFontDialog(this);
        FontDialog1->setObjectName(QStringLiteral("FontDialog1"));
    }
    return *FontDialog1;
}

void TPreviewForm::DefaultMarginsBtnClick()
{
    Engine_.MarginCm = DefaultMargins();
    DoReport();
}

void TPreviewForm::CloseBtnClick()
{
    close();
}

void TPreviewForm::FormActivate()
{
    Call(Engine_.OnLoadSettings);
    ShowStatus(0, QString());
    SavedCursor = cursor();
    CurrentPage = 0;
    MarginsShown = false;
    MarginsBtn->setChecked(false);
    Dragging.fill(false);
    DoReport();
}

void TPreviewForm::FormClose()
{
    Call(Engine_.OnStoreSettings);
    try {
        SaveFormPlacement(*this);
    } catch (const std::exception& error) {
        Feedback().Error(this, QString::fromUtf8(error.what()));
    }
    Engine_.Pages.clear();
    RepImage->SetPicture(QImage());
    ClosedGeometry_ = geometry();
}

void TPreviewForm::FormResize()
{
    if (!Engine_.Pages.empty())
        ShowPage();
}

bool TPreviewForm::FormKeyDown(int key)
{
    QScrollBar* bar = RepScrollBox->verticalScrollBar();
    const int page = RepScrollBox->viewport()->height();
    switch (key) {
    case Qt::Key_Up:
        bar->setValue(bar->value() - bar->singleStep());
        return true;
    case Qt::Key_Down:
        bar->setValue(bar->value() + bar->singleStep());
        return true;
    case Qt::Key_PageUp:
        bar->setValue(bar->value() - page);
        return true;
    case Qt::Key_PageDown:
        bar->setValue(bar->value() + page);
        return true;
    case Qt::Key_Home:
        bar->setValue(0);
        return true;
    case Qt::Key_End:
        bar->setValue(bar->maximum());
        return true;
    default:
        return false;
    }
}

void TPreviewForm::showEvent(QShowEvent* event)
{
    if (!event->spontaneous() && ClosedGeometry_.isValid())
        setGeometry(ClosedGeometry_);
    QDialog::showEvent(event);
    if (!event->spontaneous())
        Guarded(this, [this] { FormActivate(); });
}

void TPreviewForm::done(int result)
{
    Guarded(this, [this] { FormClose(); });
    QDialog::done(result);
}

void TPreviewForm::keyPressEvent(QKeyEvent* event)
{
    if (event->modifiers() == Qt::NoModifier && FormKeyDown(event->key()))
        event->accept();
    else
        QDialog::keyPressEvent(event);
}

bool TPreviewForm::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() == Qt::NoModifier && FormKeyDown(key->key()))
            return true;
        break;
    }
    case QEvent::MouseMove:
        MouseMoveRestoreCursor();
        break;
    case QEvent::Resize:
        if (watched == RepScrollBox)
            FormResize();
        break;
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

namespace {
TPreviewForm* Instance = nullptr;
}

TPreviewForm& PreviewForm()
{
    CreatePreviewForm();
    return *Instance;
}

void CreatePreviewForm()
{
    if (Instance == nullptr)
        Instance = new TPreviewForm(ReportEngine(), &ReportPrinter);
}

void DestroyPreviewForm()
{
    delete Instance;
    Instance = nullptr;
}
