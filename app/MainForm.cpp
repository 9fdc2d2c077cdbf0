#include "app/MainForm.h"

#include "app/MethodResultsBox.h"
#include "app/SpinButton.h"
#include "services/AppFolders.h"
#include "services/UserFeedback.h"
#include "services/VerInfoRes.h"
#include "sizing/SizingMethod.h"
#include "sizing/SolveTexts.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTabWidget>
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

    CreatePages();
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

void TMainForm::CreatePages()
{
    TabSheet1 = new TDataEntryPage;
    TabSheet1->setObjectName("TabSheet1");
    FlatPageControl1->addTab(TabSheet1, tr("Data Entry"));
    TabSheet2 = new TStepsPage;
    TabSheet2->setObjectName("TabSheet2");
    FlatPageControl1->addTab(TabSheet2, tr("Simulation Steps"));
    TabSheet3 = new TRefPropsPage;
    TabSheet3->setObjectName("TabSheet3");
    FlatPageControl1->addTab(TabSheet3, tr("RefProps"));
    TabSheet4 = new TTubeSelectionPage;
    TabSheet4->setObjectName("TabSheet4");
    FlatPageControl1->addTab(TabSheet4, tr("Tube Selection"));

    for (std::size_t i = 0; i < DesignFieldCount; ++i)
        Edits[i] = TabSheet1->Edits[i];
    LengthEdit = TabSheet4->LengthEdit;
    SpinButton1 = TabSheet1->SpinButton1;
    ResultsBox = TabSheet1->ResultsBox;
    LabelSimLen = ResultsBox->Labels[smStoecker];
    LabelASHLen = ResultsBox->Labels[smWolf];
    LabelChoiLen = ResultsBox->Labels[smChoi];
    StepsHeaderLabel = TabSheet2->StepsHeaderLabel;
    RichEdit1 = TabSheet2->RichEdit1;
    StepsPlot1 = TabSheet2->StepsPlot1;
    HTMLViewer1 = TabSheet3->HTMLViewer1;
    RateButton = TabSheet4->RateButton;
    RatingCaption = TabSheet4->RatingCaption;
    RatedFlowLabels = TabSheet4->RatedFlowLabels;
    RatedDutyLabels = TabSheet4->RatedDutyLabels;
    RatedNoteLabels = TabSheet4->RatedNoteLabels;
    SelectionCaption = TabSheet4->SelectionCaption;
    SelectionTable1 = TabSheet4->SelectionTable1;

    ConnectExits();
    ConnectSelectionPage();
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
    // The length panel names the method whose length it shows.
    for (const TSizingMethodEntry& entry : SizingMethodEntries)
        if (entry.StatusLength)
            StatusPanels[2]->setAccessibleDescription(
                tr("Capillary length by %1").arg(QString::fromUtf8(entry.Name)));
    statusBar()->setObjectName("StatusBar1");
    // Permanent panels: no temporary message of a menu or a widget hides them.
    statusBar()->addPermanentWidget(StatusPanels[0]);
    statusBar()->addPermanentWidget(StatusPanels[1]);
    statusBar()->addPermanentWidget(StatusPanels[2], 1);
}
