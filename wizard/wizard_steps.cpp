// NextStep: the screens of the five steps. Each transition sets wizardStep
// before the step's work starts, so the work, and whatever it calls back
// into the wizard, sees the new step.
#include "app/orvel_config.h"
#include "machine_data/run_record.h"
#include "toolkit/button.h"
#include "toolkit/combo_box.h"
#include "toolkit/text.h"
#include "wizard/camera_info_pane.h"

void COrvelConfig::SetStepTexts(const char* title, const char* line1)
{
    CopyA(maxStepText, infoPane->stepTitle, 0, title);
    CopyA(maxStepText, infoPane->stepLine1, 0, line1);
}

CButton* COrvelConfig::NewScanButton()
{
    const int32_t width = InnerWidth();
    const int32_t height = InnerHeight();
    auto* button = new CButton;
    button->Init(CRect(8, height - 32, (width - 24) / 2, 0), cmExecuteStep, 11, "Scan camera", 0);
    Register(button);
    button->Show();
    return button;
}

void COrvelConfig::BuildFirstStep()
{
    const int32_t width = InnerWidth();
    const int32_t height = InnerHeight();
    infoPane = new CCameraInfoPane;
    infoPane->Init(CRect(8, 8, width - 16, height - 40));
    Register(infoPane);
    SetStepTexts("Step 1:", "Connect camera and click [Scan camera] button");
    infoPane->Show();

    actionButton = NewScanButton();
    // The Next button shares the action button's size, at the right edge.
    CRect nextRect = actionButton->Rect();
    nextRect.x = width - nextRect.width - 8;
    nextButton = new CButton;
    nextButton->Init(nextRect, cmNextStep, 7, "Next ->", 0);
    Register(nextButton);
    nextButton->Show();

    wizardStep = 1;
    runrecord::StepReached(1);
    ExecuteStep();
}

void COrvelConfig::BuildSecondStep()
{
    SetStepTexts("Step 2:", "Unplug camera power");
    actionButton->Done();
    wizardStep = 2;
    runrecord::StepReached(2);
    ExecuteStep();
}

void COrvelConfig::BuildThirdStep()
{
    actionButton = NewScanButton();
    SetStepTexts("Step 3:", "Connect camera again and click [Scan camera]");
    wizardStep = 3;
    runrecord::StepReached(3);
    ExecuteStep();
}

void COrvelConfig::BuildFourthStep()
{
    SetStepTexts("Step 4:", "Define Overscan mode");
    infoPane->InvalidateView();
    modeCombo = new CComboBox;
    modeCombo->Init(CRect(108, 101, infoPane->Rect().width - 100, 0), 0, false);
    RegisterFirst(modeCombo);
    modeCombo->AddItem(8, "Disabled", 0);
    modeCombo->AddItem(7, "Enabled", 0);
    // The camera's own numbers, when its backup holds some of no table's.
    FindOriginal();
    if (originalOffered) modeCombo->AddItem(8, "Original", 0);
    modeCombo->FitList();
    writtenChoice = -1;
    modeCombo->Select(PreselectedPosition());
    modeCombo->Show();
    actionButton->Init(actionButton->Rect(), cmExecuteStep, 14, "Write Overscan", 0);
    actionButton->InvalidateView();
    nextButton->Disable();
    wizardStep = 4;
    runrecord::StepReached(4);
}

void COrvelConfig::BuildFifthStep()
{
    // Whatever happens to the permission, the run goes on to its end; one
    // that stays is told once step 5 is shown.
    const bool revoked = RevokeDriverWrite();
    SetStepTexts("Step 5:", "Camera update successful.");
    CopyA(maxStepText, infoPane->stepLine2, 0, "Changes will take effect after camera is");
    CopyA(maxStepText, infoPane->stepLine3, 0, "unplugged from power and plugged again.");
    infoPane->InvalidateView();
    modeCombo->Done();
    actionButton->Done();
    nextButton->Init(nextButton->Rect(), cmNextStep, 6, "Finish", 0);
    nextButton->InvalidateView();
    wizardStep = 5;
    runrecord::StepReached(5);
    if (revoked) return;
    permissionStayed = true;
    runrecord::PermissionStays();
    ShowError("Cannot remove the write permission", "It is removed at the next start of the program", piStop);
}

bool COrvelConfig::ChoiceWritten() const
{
    return modeCombo && writtenChoice >= 0 && modeCombo->SelectedPosition() == writtenChoice;
}

// A chooser changed after a write: Next waits for the choice now shown to be
// written, and is back at once when the written one is chosen again.
void COrvelConfig::FollowModeChoice()
{
    if (wizardStep != 4 || !nextButton) return;
    if (ChoiceWritten())
        nextButton->Enable();
    else
        nextButton->Disable();
}

void COrvelConfig::NextStep()
{
    switch (wizardStep) {
    case 0: BuildFirstStep(); break;
    case 1: BuildSecondStep(); break;
    case 2: BuildThirdStep(); break;
    case 3: BuildFourthStep(); break;
    case 4:
        // Only a choice written and verified leads to "Camera update successful.".
        if (ChoiceWritten()) BuildFifthStep();
        break;
    case 5:
        runrecord::CloseAsked(5, "Finish");
        MakeEvent(closeEvent);
        break;
    default: break;
    }
}
