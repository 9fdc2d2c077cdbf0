#pragma once

#include "app/DataEntryPage.h"
#include "app/RefPropsPage.h"
#include "app/StepsPage.h"
#include "app/TubeSelectionPage.h"
#include "refrig/RefrigLib.h"
#include "sizing/DesignCase.h"
#include "sizing/DesignFields.h"
#include "sizing/Rating.h"
#include "sizing/SolveDriver.h"
#include "sizing/SolveResults.h"
#include "units/NqFmtEdit.h"
#include "units/NqFmtEditLabel.h"

#include <array>
#include <QMainWindow>
#include <string>
#include <vector>

class QAction;
class QComboBox;
class QLabel;
class QPushButton;
class QTabWidget;
class QTextBrowser;
class QTextEdit;
class QToolBar;
class TMethodResultsBox;
class TSelectionTable;
class TSpinButton;
class TStepsPlot;

// The main window: the design case, the capillary tube lengths of the sizing
// methods, the simulation steps, the refrigerant fact sheet and the tube
// selection, each on a page of its own. The window itself holds the actions,
// the status bar, the coupling of the fields, Solve and the stored settings.
class TMainForm : public QMainWindow, private TSolveView {
    Q_OBJECT

public:
    // lib: the program's refrigerant library, which the window selects in.
    // programFile: the running program's file, whose version block gives the
    // caption and whose key holds the stored design case.
    TMainForm(TRefrigLib& lib, const QString& programFile, QWidget* parent = nullptr);
    ~TMainForm() override;

    // What the last Solve found, and the refrigerating effect of the case as
    // its fields were last coupled; the window shows these.
    TSolveResults Results;

    // The fact sheet as HTML lines.
    std::vector<std::string> PageLines;

    // Set once at creation: the program's folder (ending with "/"), its
    // settings key and its version text ("1.0.8.0").
    QString ProgramFolder;
    QString SettingsKey;
    QString VersionText;

    // Actions
    QAction* NewAction;
    QAction* SolveAction;
    QAction* PrintAction;
    QAction* PelorusAction;
    QAction* ActionTarnwick;
    QAction* HelpAction;
    QAction* RateAction;
    QToolBar* ToolBar1;

    QComboBox* RefrigCombo;
    QLabel* RLabel;
    QLabel* EffectLabel;
    QTabWidget* FlatPageControl1;
    // The pages.
    TDataEntryPage* TabSheet1;
    TStepsPage* TabSheet2;
    TRefPropsPage* TabSheet3;
    TTubeSelectionPage* TabSheet4;
    QLabel* StatusPanels[3];

    // The design fields' edits, by TDesignField, whichever page holds them.
    std::array<TFmtEdit*, DesignFieldCount> Edits{};
    TFmtEdit*& tcEdit = Edits[dfTc];
    TFmtEdit*& teEdit = Edits[dfTe];
    TFmtEdit*& pcEdit = Edits[dfPc];
    TFmtEdit*& peEdit = Edits[dfPe];
    TFmtEdit*& scEdit = Edits[dfSc];
    TFmtEdit*& shEdit = Edits[dfSh];
    TFmtEdit*& QeEdit = Edits[dfQe];
    TFmtEdit*& mrEdit = Edits[dfMr];
    TFmtEdit*& dpEdit = Edits[dfDp];
    TFmtEdit*& dpEvapEdit = Edits[dfDpEvap];
    TFmtEdit*& idEdit = Edits[dfId];
    TFmtEdit*& LengthEdit = Edits[dfLength];

    // Parts of the pages, by the names the window gives them.
    TSpinButton* SpinButton1;
    TMethodResultsBox* ResultsBox;
    QLabel* LabelSimLen;
    QLabel* LabelASHLen;
    QLabel* LabelChoiLen;
    QTextEdit* StepsHeaderLabel;
    QTextEdit* RichEdit1;
    TStepsPlot* StepsPlot1;
    QTextBrowser* HTMLViewer1;
    QPushButton* RateButton;
    QLabel* RatingCaption;
    std::array<QLabel*, SizingMethodCount> RatedFlowLabels{};
    std::array<QLabel*, SizingMethodCount> RatedDutyLabels{};
    std::array<QLabel*, SizingMethodCount> RatedNoteLabels{};
    QLabel* SelectionCaption;
    TSelectionTable* SelectionTable1;

    // The last rating, kept as numbers so that it follows a change of unit.
    std::array<TRating, SizingMethodCount> Ratings;
    double RatedLength = 0; // m; 0 before the first rating
    double RatedBore = 0;   // mm, the design case's bore at that rating

    // Solve: the focused field's value takes effect, then the sizing methods.
    void SolveActionExecute(QObject* sender = nullptr);
    void SetSolved(bool solved);
    void UpdateRefrigEffect();
    void BuildRefProps();

    // Field coupling when the user leaves a changed field: what the field's
    // layout says its change sets off.
    void FieldExit(TDesignField field);

    void SpinButton1UpClick();
    void SpinButton1DownClick();
    void RefrigComboChange();
    void RefrigComboClick();
    void NewActionExecute();
    void PrintActionExecute();
    // The report's body: its lines, then the signature.
    void ReportBody();
    void WriteReportLines();
    void HelpActionExecute();
    void PelorusActionExecute();
    void ActionTarnwickExecute();
    void FormActivate();

    // Rates the tube of LengthEdit by each method.
    void RateActionExecute();
    // A row of the selection table chosen: its bore (mm) into Tube ID, then
    // Solve.
    void SelectionTable1DblClick(double bore);

    // The stored design case and window placement.
    void LoadSettings();
    void SaveSettings();

    // The design case as the fields give it now.
    TDesignCase DesignCase() const;
    TRefrigLib& RefrigLib() { return Lib_; }

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void CreateActions();
    void CreatePages();
    void CreateStatusBar();
    void ConnectSelectionPage();
    void ConnectExits();
    void ShowRatings();
    void ApplyRefrigerant();
    void FormClose();
    bool HandleNavigationKey(QKeyEvent* event);
    void StepDiameter(double factor);

    // Coupling helpers: the pressures follow their temperatures, the duty the
    // mass flow, at the refrigerating effect of the last coupling.
    void PressureFromTemperature(TDesignField pressure, TDesignField temperature);
    void TemperatureFromPressure(TDesignField temperature, TDesignField pressure);
    void PressuresFromTemperatures();
    void DutyFromMassFlow();
    void MassFlowFromDuty();
    double Number(TDesignField field) const;
    double Effect() const;

    // What Solve shows, as each method finishes.
    void ClearSteps() override;
    void AddStep(const TStoeckerStep& step) override;
    void ShowMethod(TSizingMethod method, const TMethodResult& result) override;
    void ShowRefusal(const std::string& message) override;
    void ShowCapillaryLength(double length) override;
    void ShowCaseRefusal(const std::string& message) override;
    void ShowSolved(bool solved) override;

    TRefrigLib& Lib_;
    QString ProgramFile_;
    bool FirstActivation_ = true;
    bool ReturnActivates_ = false;
    bool Closed_ = false;
    bool SimulationStarted_ = false; // this Solve's simulation cleared the steps
};
