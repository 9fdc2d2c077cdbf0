#pragma once

#include "report/PageEngine.h"

#include <array>
#include <functional>
#include <QCursor>
#include <QDialog>
#include <QFontDialog>
#include <QImage>
#include <QRect>

class QAction;
class QLabel;
class QPrinter;
class QScrollArea;
class QStatusBar;
class QToolBar;
class TPageImage;
class TReportExport;

// The report preview: shows the pages the page engine laid out, one at a
// time at actual size or as a whole page, and lets the user move between
// them, show the margins and tab stops as dashed lines and drag them, change
// the report font, reset the margins, set up the printer and print. The
// pages, the positions and the hooks live in the engine; the window keeps
// what is on show.
//
// Coordinates: page pixels for the engine's positions, image pixels (of the
// picture on show, ScaleX and ScaleY times the page's) for the mouse.
class TPreviewForm : public QDialog {
    Q_OBJECT

public:
    // The printer is asked for at first use: making one queries the print
    // system, which start-up need not wait for.
    TPreviewForm(TPageEngine& engine, std::function<QPrinter&()> printer,
                 QWidget* parent = nullptr);
    TPreviewForm(TPageEngine& engine, QPrinter& printer, QWidget* parent = nullptr)
        : TPreviewForm(
              engine, [&printer]() -> QPrinter& { return printer; }, parent)
    {
    }
    ~TPreviewForm() override;

    TPageEngine& Engine() { return Engine_; }
    const TPageEngine& Engine() const { return Engine_; }

    // One complete layout of the report with the hourglass on, then the
    // page on show again.
    void DoReport();
    // Puts the current page on show at the zoom mode's size.
    void ShowPage();

    // Tool bar handlers.
    void PrintBtnClick();
    void PrintSetupBtnClick();
    void GIFBtnClick();
    void PDFBtnClick();
    void EMailBtnClick();
    void PrevPageBtnClick();
    void NextPageBtnClick();
    void ZoomFullPageBtnClick();
    void Zoom100BtnClick();
    void FontBtnClick();
    void MarginsBtnClick();
    void DefaultMarginsBtnClick();
    void CloseBtnClick();

    // Margin and tab-stop lines, drawn inverted on the picture on show.
    void DrawMarginLines();
    void DrawMarginLine(std::size_t index);
    void HideMargins();

    // Mouse on the page picture, in image pixels.
    void ImageMouseDown(Qt::MouseButton button, QPoint position);
    void ImageMouseMove(Qt::MouseButtons buttons, QPoint position);
    void ImageMouseUp(Qt::MouseButton button, QPoint position);
    void MouseMoveRestoreCursor();

    // Window events.
    void FormActivate();
    void FormClose();
    void FormResize();
    // Scrolls with Up, Down, Page Up, Page Down, Home and End; false for any
    // other key, which goes on to the control that has the focus.
    bool FormKeyDown(int key);

    int CurrentPage = 0;
    bool MarginsShown = false;
    std::array<bool, PositionCount> Dragging{};
    double ScaleX = 1, ScaleY = 1;
    QCursor SavedCursor;
    int MaxTabPx = 0;

    // The controls, by the names the tests and the handlers use.
    QToolBar* ToolBar1 = nullptr;
    QAction* PrintBtn = nullptr;
    QAction* PrintSetupBtn = nullptr;
    QAction* GIFBtn = nullptr;
    QAction* PDFBtn = nullptr;
    QAction* EMailBtn = nullptr;
    QAction* PrevPageBtn = nullptr;
    QAction* NextPageBtn = nullptr;
    QAction* ZoomFullPageBtn = nullptr;
    QAction* Zoom100Btn = nullptr;
    QAction* FontBtn = nullptr;
    QAction* MarginsBtn = nullptr;
    QAction* DefaultMarginsBtn = nullptr;
    QAction* CloseBtn = nullptr;
    QScrollArea* RepScrollBox = nullptr;
    TPageImage* RepImage = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    std::array<QLabel*, 2> StatusPanels{};
    // Made at the first font change (it reads the font database).
    QFontDialog* FontDialog1 = nullptr;
    // The GIF, PDF and e-mail exports, with their save dialogs and the mail
    // component.
    TReportExport* Export = nullptr;

    // Replaceable for tests: the font and printer set-up dialogs, run
    // modally; true when the user confirmed.
    std::function<bool(QFontDialog&)> RunFontDialog;
    std::function<bool(QPrinter&)> RunPrinterSetup;

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void BuildToolBar();
    QAction* AddButton(const QString& icon, const QString& hint, void (TPreviewForm::*handler)());
    void SetScreenCursor(const QCursor& cursor);
    void DragMarginLine(std::size_t index, int position, int lower, int upper, double scale);
    // The first line within reach of the mouse, in index order, stopping at
    // the first line not shown; -1 for none.
    int HitMarginLine(QPoint position) const;
    // The limits a dragged line stays within, in image pixels.
    std::pair<int, int> DragLimits(std::size_t index) const;
    void ShowStatus(int panel, const QString& text);
    QFontDialog& FontDialog();

    TPageEngine& Engine_;
    std::function<QPrinter&()> Printer_;
    QWidget* PageBox_ = nullptr; // the scroll box's content, holding RepImage
    // Where the window was when it last closed: shown again, it opens there
    // (some window managers would otherwise shift it by its frame).
    QRect ClosedGeometry_;
};

// The run's preview window over the program's report engine and printer,
// made at start-up after the main window (or at first use) and kept until
// DestroyPreviewForm, which the program calls before it ends.
TPreviewForm& PreviewForm();
void CreatePreviewForm();
void DestroyPreviewForm();
