#include "app/MainForm.h"

#include "app/MutedText.h"
#include "app/RefPropsSheet.h"
#include "app/SpinButton.h"
#include "app/StepsPlot.h"
#include "app/StepsTable.h"
#include "common/CheckedMath.h"
#include "common/Format.h"
#include "common/Rounding.h"
#include "services/AppFolders.h"
#include "services/UserFeedback.h"
#include "services/VerInfoRes.h"
#include "sizing/DesignFields.h"
#include "sizing/RefrigEffect.h"
#include "sizing/SolveTexts.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

// The icons live in the program's static library; their resources are
// registered before the first use (outside any namespace, as the resource
// system requires).
static void InitIcons()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(icons);
        return true;
    }();
    (void)registered;
}

namespace {

QString Text(const std::string& text)
{
    return QString::fromStdString(text);
}

QIcon ToolIcon(const char* name)
{
    InitIcons();
    return QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(name)));
}

} // namespace

TMainForm::TMainForm(TRefrigLib& lib, const QString& programFile, QWidget* parent)
    : QMainWindow(parent), Lib_(lib), ProgramFile_(programFile)
{
    setObjectName("MainForm");
    CreateActions();

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(8, 6, 8, 4);

    auto* refrigRow = new QHBoxLayout;
    auto* refrigCaption = new QLabel(tr("&Refrigerant"), central);
    RefrigCombo = new QComboBox(central);
    RefrigCombo->setObjectName("RefrigCombo");
    RefrigCombo->setAccessibleName(tr("Refrigerant"));
    RefrigCombo->setMinimumContentsLength(10);
    refrigCaption->setBuddy(RefrigCombo);
    RLabel = new QLabel(central);
    RLabel->setObjectName("RLabel");
    EffectLabel = new QLabel(Text(InitialEffectLabel), central);
    EffectLabel->setObjectName("EffectLabel");
    for (QLabel* label : {RLabel, EffectLabel}) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, palette.color(QPalette::Highlight));
        label->setPalette(palette);
        QFont bold = label->font();
        bold.setBold(true);
        label->setFont(bold);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    }
    refrigRow->addWidget(refrigCaption);
    refrigRow->addWidget(RefrigCombo);
    refrigRow->addSpacing(12);
    refrigRow->addWidget(RLabel, 1);
    layout->addLayout(refrigRow);
    layout->addWidget(EffectLabel);

    FlatPageControl1 = new QTabWidget(central);
    FlatPageControl1->setObjectName("FlatPageControl1");
    layout->addWidget(FlatPageControl1, 1);
    setCentralWidget(central);

    CreateDataEntryPage();
    CreateStepsPage();
    CreateRefPropsPage();
    CreateSelectionPage();
    CreateStatusBar();

    // Labels show names and numbers from the library file and the design
    // case: plain text, never guessed to be rich text.
    for (QLabel* label : findChildren<QLabel*>())
        label->setTextFormat(Qt::PlainText);

    connect(RefrigCombo, &QComboBox::currentIndexChanged, this, &TMainForm::RefrigComboChange);
    connect(RefrigCombo, &QComboBox::activated, this, &TMainForm::RefrigComboClick);
    connect(SpinButton1, &TSpinButton::UpClick, this, &TMainForm::SpinButton1UpClick);
    connect(SpinButton1, &TSpinButton::DownClick, this, &TMainForm::SpinButton1DownClick);

    setWindowIcon(ToolIcon("vellox"));
    setWindowTitle(QStringLiteral("Vellox"));
    setMinimumSize(500, 500);
    setMaximumSize(900, 900);
    resize(600, 560);
    FormCreate();
    tcEdit->setFocus(Qt::OtherFocusReason);

    // The window sees the navigation keys before its controls do.
    qApp->installEventFilter(this);
}

void TMainForm::FormCreate()
{
    ProgramFolder = QFileInfo(ProgramFile_).absolutePath() + "/";
    SettingsKey = ProgramKey(ProgramFile_);
    PageLines.clear();

    // The selector lists the library's refrigerants in their sorted order,
    // with the current one selected.
    {
        const QSignalBlocker blocker(RefrigCombo);
        for (const auto& name : Lib_.RefrigerantNames())
            RefrigCombo->addItem(Text(name));
        RefrigCombo->setCurrentIndex(RefrigCombo->findText(Text(Lib_.GetRNumber())));
    }
    Guarded(this, [this] { LoadSettings(); });
    RLabel->setText(Text(Lib_.GetDisplayName()));

    // The caption and the report's signature come from the program file's
    // version block.
    Guarded(this, [this] {
        VersionText = Text(GetFileVersionText(ProgramFile_.toStdString()));
        setWindowTitle(Text(GetTitleText(ProgramFile_.toStdString())));
    });
}

TMainForm::~TMainForm()
{
    qApp->removeEventFilter(this);
    // The fields go after this object; focus leaving them then must not reach
    // the coupling of a window that is no more.
    Closed_ = true;
    for (TFmtEdit* edit : findChildren<TFmtEdit*>())
        disconnect(edit, nullptr, this, nullptr);
}

void TMainForm::CreateActions()
{
    ToolBar1 = addToolBar(tr("Tools"));
    ToolBar1->setObjectName("ToolBar1");
    ToolBar1->setMovable(false);
    ToolBar1->setIconSize(QSize(32, 32));
    ToolBar1->setToolButtonStyle(Qt::ToolButtonIconOnly);

    auto action = [this](const QString& caption, const QString& hint, const char* icon) {
        auto* a = new QAction(ToolIcon(icon), caption, this);
        // The hint is a tooltip: a status tip would replace the status panels.
        a->setToolTip(hint);
        return a;
    };
    NewAction = action(tr("New"), tr("Reset to defaults"), "new");
    SolveAction = action(tr("&Solve"), tr("Size Capillary Tube"), "solve");
    NewAction->setShortcut(QKeySequence::New);
    SolveAction->setShortcut(QKeySequence(Qt::Key_F9));
    SolveAction->setShortcutContext(Qt::WindowShortcut);
    PrintAction = action(tr("&Print"), tr("Print the report"), "print");
    PelorusAction = action(tr("&Pelorus"), tr("Pelorus"), "pelorus");
    ActionTarnwick = action(tr("&Tarnwick"), tr("Tarnwick"), "tarnwick");
    HelpAction = action(tr("&Help"), tr("Documentation"), "help");
    PrintAction->setShortcut(QKeySequence::Print);
    HelpAction->setShortcut(QKeySequence::HelpContents);

    ToolBar1->addAction(NewAction);
    ToolBar1->addAction(SolveAction);
    ToolBar1->addSeparator();
    ToolBar1->addAction(PrintAction);
    ToolBar1->addSeparator();
    ToolBar1->addAction(PelorusAction);
    ToolBar1->addAction(ActionTarnwick);
    ToolBar1->addSeparator();
    ToolBar1->addAction(HelpAction);
    for (QAction* a : ToolBar1->actions()) {
        if (auto* button = qobject_cast<QToolButton*>(ToolBar1->widgetForAction(a))) {
            button->setFixedSize(39, 38);
            button->setAccessibleName(a->text().remove('&'));
            button->setAccessibleDescription(a->toolTip());
        }
    }

    connect(NewAction, &QAction::triggered, this,
            [this] { Guarded(this, [this] { NewActionExecute(); }); });
    connect(SolveAction, &QAction::triggered, this, [this] { SolveActionExecute(SolveAction); });
    connect(PrintAction, &QAction::triggered, this,
            [this] { Guarded(this, [this] { PrintActionExecute(); }); });
    connect(HelpAction, &QAction::triggered, this,
            [this] { Guarded(this, [this] { HelpActionExecute(); }); });
    connect(PelorusAction, &QAction::triggered, this,
            [this] { Guarded(this, [this] { PelorusActionExecute(); }); });
    connect(ActionTarnwick, &QAction::triggered, this,
            [this] { Guarded(this, [this] { ActionTarnwickExecute(); }); });
}

TFmtEdit* TMainForm::AddField(int field, QGridLayout* grid, int row, int column)
{
    auto* unit = new TFmtEditLabel(TabSheet1);
    TFmtEdit* edit = NewField(field, TabSheet1, unit);
    grid->addWidget(edit, row, column);
    grid->addWidget(unit, row, column + 1);
    return edit;
}

TFmtEdit* TMainForm::NewField(int field, QWidget* page, TFmtEditLabel* unit)
{
    const TDesignFieldLayout& layout = DesignFieldLayouts[static_cast<std::size_t>(field)];
    auto* edit = new TFmtEdit(page);
    edit->setMinimumWidth(90);
    edit->setMaximumWidth(120);
    edit->setAlignment(Qt::AlignRight);
    edit->Load({layout.FormatStr, layout.FormatType, layout.SigDigs, layout.UnitsType, 0, unit, 0,
                layout.RangeHi, layout.RangeLo, layout.InitialText});
    edit->setAccessibleName(layout.Caption);
    unit->setAccessibleDescription(
        tr("Unit of %1; click or press F4 in the field to change it").arg(layout.Caption));
    unit->setMinimumWidth(44);
    return edit;
}

void TMainForm::ConnectExit(TFmtEdit* edit, void (TMainForm::*handler)())
{
    connect(edit, &NqCustomEdit::Exited, this, [this, handler] {
        if (!Closed_)
            Guarded(this, [this, handler] { (this->*handler)(); });
    });
}

void TMainForm::CreateDataEntryPage()
{
    TabSheet1 = new QWidget;
    TabSheet1->setObjectName("TabSheet1");
    auto* page = new QVBoxLayout(TabSheet1);
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(6);

    auto caption = [this, grid](const char* text, int row, QWidget* buddy) {
        auto* label = new QLabel(tr(text), TabSheet1);
        label->setBuddy(buddy);
        grid->addWidget(label, row, 0);
        return label;
    };
    auto* header = new QLabel(tr("Saturation"), TabSheet1);
    auto* temperatureHeader = new QLabel(tr("Temperature"), TabSheet1);
    auto* pressureHeader = new QLabel(tr("Pressure"), TabSheet1);
    for (QLabel* label : {header, temperatureHeader, pressureHeader})
        SetMutedText(label);
    grid->addWidget(header, 0, 0);
    grid->addWidget(temperatureHeader, 0, 1);
    grid->addWidget(pressureHeader, 0, 3);

    tcEdit = AddField(dfTc, grid, 1, 1);
    pcEdit = AddField(dfPc, grid, 1, 3);
    teEdit = AddField(dfTe, grid, 2, 1);
    peEdit = AddField(dfPe, grid, 2, 3);
    scEdit = AddField(dfSc, grid, 3, 1);
    shEdit = AddField(dfSh, grid, 4, 1);
    QeEdit = AddField(dfQe, grid, 5, 1);
    mrEdit = AddField(dfMr, grid, 6, 1);
    dpEdit = AddField(dfDp, grid, 7, 1);
    dpEvapEdit = AddField(dfDpEvap, grid, 8, 1);
    idEdit = AddField(dfId, grid, 9, 1);
    caption("&Condensing", 1, tcEdit);
    caption("&Evaporating", 2, teEdit);
    caption("Sub-C&ooling", 3, scEdit);
    caption("S&uperheat", 4, shEdit);
    caption("Circuit &Duty", 5, QeEdit);
    caption("&Mass Flow", 6, mrEdit);
    caption("&Fitting dP", 7, dpEdit);
    caption("Eva&pCoil dP", 8, dpEvapEdit);
    caption("&Tube ID", 9, idEdit);
    const std::pair<TFmtEdit*, const char*> names[] = {
        {tcEdit, "tcEdit"}, {teEdit, "teEdit"},         {pcEdit, "pcEdit"}, {peEdit, "peEdit"},
        {scEdit, "scEdit"}, {shEdit, "shEdit"},         {QeEdit, "QeEdit"}, {mrEdit, "mrEdit"},
        {dpEdit, "dpEdit"}, {dpEvapEdit, "dpEvapEdit"}, {idEdit, "idEdit"}};
    for (const auto& [edit, name] : names)
        edit->setObjectName(name);

    SpinButton1 = new TSpinButton(TabSheet1);
    SpinButton1->setObjectName("SpinButton1");
    SpinButton1->UpButton()->setAccessibleName(tr("Tube ID up 1 %"));
    SpinButton1->DownButton()->setAccessibleName(tr("Tube ID down 1 %"));
    auto* spinRow = new QHBoxLayout;
    spinRow->setContentsMargins(0, 0, 0, 0);
    spinRow->addWidget(SpinButton1);
    auto* note = new QLabel(tr("actual measured tube ID"), TabSheet1);
    SetMutedText(note);
    spinRow->addWidget(note);
    spinRow->addStretch(1);
    grid->addLayout(spinRow, 9, 3, 1, 2);
    grid->setColumnStretch(5, 1);
    page->addLayout(grid);

    // Tab order of the design case, top to bottom with the pressures after
    // their temperatures.
    QWidget* order[] = {tcEdit,
                        teEdit,
                        pcEdit,
                        peEdit,
                        scEdit,
                        shEdit,
                        QeEdit,
                        mrEdit,
                        dpEdit,
                        dpEvapEdit,
                        idEdit,
                        SpinButton1->UpButton(),
                        SpinButton1->DownButton()};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i)
        setTabOrder(order[i], order[i + 1]);

    ResultsBox = new QGroupBox(tr("Capillary length"), TabSheet1);
    auto* results = new QVBoxLayout(ResultsBox);
    LabelSimLen = new QLabel(Text(InitialStoeckerLabel), ResultsBox);
    LabelASHLen = new QLabel(Text(InitialWolfLabel), ResultsBox);
    LabelChoiLen = new QLabel(Text(InitialChoiLabel), ResultsBox);
    LabelSimLen->setObjectName("LabelSimLen");
    LabelASHLen->setObjectName("LabelASHLen");
    LabelChoiLen->setObjectName("LabelChoiLen");
    for (QLabel* label : {LabelSimLen, LabelASHLen, LabelChoiLen}) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, QColor(0x60, 0x60, 0x60));
        label->setPalette(palette);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        results->addWidget(label);
    }
    page->addSpacing(8);
    page->addWidget(ResultsBox);
    page->addStretch(1);

    ConnectExit(tcEdit, &TMainForm::tcEditExit);
    ConnectExit(pcEdit, &TMainForm::pcEditExit);
    ConnectExit(teEdit, &TMainForm::teEditExit);
    ConnectExit(peEdit, &TMainForm::peEditExit);
    ConnectExit(scEdit, &TMainForm::scEditExit);
    ConnectExit(shEdit, &TMainForm::shEditExit);
    ConnectExit(QeEdit, &TMainForm::QeEditExit);
    ConnectExit(mrEdit, &TMainForm::mrEditExit);
    ConnectExit(dpEdit, &TMainForm::dpEditExit);
    ConnectExit(dpEvapEdit, &TMainForm::dpEvapEditExit);
    ConnectExit(idEdit, &TMainForm::idEditExit);

    FlatPageControl1->addTab(TabSheet1, tr("Data Entry"));
}

void TMainForm::CreateStepsPage()
{
    TabSheet2 = new QWidget;
    TabSheet2->setObjectName("TabSheet2");
    auto* page = new QVBoxLayout(TabSheet2);
    // The table above, the plot of its rows below; the user moves the border.
    auto* splitter = new QSplitter(Qt::Vertical, TabSheet2);
    splitter->setObjectName("StepsSplitter");
    splitter->setChildrenCollapsible(false);
    auto* tablePane = new QWidget(splitter);
    auto* table = new QVBoxLayout(tablePane);
    table->setContentsMargins(0, 0, 0, 0);
    // The header shares the table's tab stops and scrolls sideways with it.
    StepsHeaderLabel = NewTabbedView(TabSheet2);
    StepsHeaderLabel->setObjectName("StepsHeader");
    StepsHeaderLabel->setFrameShape(QFrame::NoFrame);
    StepsHeaderLabel->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    StepsHeaderLabel->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    StepsHeaderLabel->setFocusPolicy(Qt::NoFocus);
    StepsHeaderLabel->setFixedHeight(StepsHeaderLabel->fontMetrics().height() + 10);
    StepsHeaderLabel->viewport()->setAutoFillBackground(false);
    StepsHeaderLabel->setAccessibleName(Text(StepsHeader));
    AppendTabbedLine(StepsHeaderLabel, StepsHeaderColumns());
    QFont bold = StepsHeaderLabel->font();
    bold.setBold(true);
    StepsHeaderLabel->setFont(bold);
    RichEdit1 = NewTabbedView(TabSheet2);
    RichEdit1->setObjectName("RichEdit1");
    RichEdit1->setAccessibleName(tr("Simulation steps"));
    connect(RichEdit1->horizontalScrollBar(), &QScrollBar::valueChanged,
            StepsHeaderLabel->horizontalScrollBar(), &QScrollBar::setValue);
    table->addWidget(StepsHeaderLabel);
    table->addWidget(RichEdit1, 1);
    StepsPlot1 = new TStepsPlot(splitter);
    StepsPlot1->setObjectName("StepsPlot1");
    splitter->addWidget(tablePane);
    splitter->addWidget(StepsPlot1);
    splitter->setStretchFactor(0, 2);
    splitter->setStretchFactor(1, 3);
    page->addWidget(splitter, 1);
    FlatPageControl1->addTab(TabSheet2, tr("Simulation Steps"));
}

void TMainForm::CreateRefPropsPage()
{
    TabSheet3 = new QWidget;
    TabSheet3->setObjectName("TabSheet3");
    auto* page = new QVBoxLayout(TabSheet3);
    page->setContentsMargins(0, 0, 0, 0);
    HTMLViewer1 = new QTextBrowser(TabSheet3);
    HTMLViewer1->setObjectName("HTMLViewer1");
    HTMLViewer1->setOpenLinks(false);
    HTMLViewer1->setOpenExternalLinks(false);
    HTMLViewer1->setAccessibleName(tr("Refrigerant properties"));
    page->addWidget(HTMLViewer1);
    FlatPageControl1->addTab(TabSheet3, tr("RefProps"));
}

void TMainForm::CreateStatusBar()
{
    for (int i = 0; i < 3; ++i) {
        StatusPanels[i] = new QLabel(this);
        StatusPanels[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        StatusPanels[i]->setFrameShape(QFrame::Panel);
        StatusPanels[i]->setFrameShadow(QFrame::Sunken);
    }
    StatusPanels[0]->setText(Text(InitialSolvedText));
    StatusPanels[0]->setFixedWidth(120);
    StatusPanels[1]->setFixedWidth(100);
    StatusPanels[2]->setMinimumWidth(50);
    StatusPanels[0]->setAccessibleDescription(tr("Solution state"));
    StatusPanels[1]->setAccessibleDescription(tr("Leaving temperature of the simulation"));
    StatusPanels[2]->setAccessibleDescription(tr("Capillary length by Cho et al"));
    statusBar()->setObjectName("StatusBar1");
    // Permanent panels: no temporary message of a menu or a widget hides them.
    statusBar()->addPermanentWidget(StatusPanels[0]);
    statusBar()->addPermanentWidget(StatusPanels[1]);
    statusBar()->addPermanentWidget(StatusPanels[2], 1);
}
