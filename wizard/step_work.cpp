// ExecuteStep: the work of the current step, the error boxes and the
// restart at step 1.
#include "app/orvel_config.h"
#include "machine_data/run_record.h"
#include "toolkit/button.h"
#include "toolkit/combo_box.h"
#include "toolkit/message_box.h"
#include "toolkit/text.h"
#include "wizard/camera_info_pane.h"

void COrvelConfig::ShowError(const char* line1, const char* line2, TIcon icon)
{
    // A box while the window closes would hold up the close, and the
    // revoke that ends it.
    if (closing) return;
    runrecord::Box("Error", line1, line2);
    DoMessageBox(this, 2, CRect(), 1, 1, 4, 5, "Error", LengthA(0, line1), line1, LengthA(0, line2), line2, 0, "",
                 icon);
}

// Starts again at step 1 after a failed step 3 or 4. The connection is left
// as it is: a camera still open is scanned at once as the new reference;
// without one, every camera connected is searched again.
void COrvelConfig::Restart()
{
    const bool fromUpdate = wizardStep == 4;
    wizardStep = 0;
    otherInterfaces.Clear();
    infoPane->Done();
    actionButton->Done();
    nextButton->Done();
    if (fromUpdate) modeCombo->Done();
    NextStep();
}

// A camera whose last update ended between its blocks, or with a block not
// put back, is told once a run, over the pane that shows it.
void COrvelConfig::TellUnfinishedUpdate()
{
    if (!UnfinishedUpdateToTell()) return;
    ShowError("The last update of this camera did not finish", "Write the overscan mode again", piInfo32);
}

void COrvelConfig::ExecuteScanStep()
{
    const ScanOutcome outcome = ScanCamera();
    if (outcome == ScanOutcome::shown && wizardStep == 1) TellUnfinishedUpdate();
    if (outcome != ScanOutcome::differentCamera || closing) return;
    ShowError("This camera is different", "Plug in the same camera", piInfo32);
    Restart();
}

void COrvelConfig::ExecuteUnplugStep()
{
    // The refusal has been shown and the close is on its way.
    if (grantFailed) return;
    if (familyFlags & connectedFlag) {
        // Waiting for the camera to go: only its removal moves on.
        nextButton->Disable();
        infoPane->InvalidateView();
        return;
    }
    CopyA(maxValueText, infoPane->typeValue, 0, "Not connected");
    infoPane->idValue[0] = 0;
    infoPane->overscanValue[0] = 0;
    nextButton->Enable();
    // The hook runs during a close as well; nothing is granted then.
    if (closing) {
        infoPane->InvalidateView();
        return;
    }
    if (GrantDriverWrite()) {
        infoPane->InvalidateView();
        return;
    }
    // Set before the box: a removal delivered while it is open must not
    // run this work again.
    grantFailed = true;
    ShowError("Cannot write Windows Registry", "Application requires administrative priviledges", piStop);
    runrecord::CloseAsked(2, "the program, after its box");
    MakeEvent(closeEvent);
    infoPane->InvalidateView();
}

void COrvelConfig::ExecuteUpdateStep()
{
    if (modeCombo) runrecord::ModeChosen(modeCombo->ItemText(modeCombo->SelectedPosition()));
    lastUpdate = UpdateOverscan();
    switch (lastUpdate) {
    case UpdateOutcome::written:
        return;
    case UpdateOutcome::notConnected:
        ShowError("Camera not connected", "Plug in the camera", piStop);
        break;
    case UpdateOutcome::differentCamera:
        ShowError("This camera is different", "Plug in the same camera", piInfo32);
        break;
    case UpdateOutcome::writeFailed:
    case UpdateOutcome::writeRefused:
        ShowError("Cannot write camera EEPROM", "Contact technical support", piStop);
        break;
    case UpdateOutcome::backupFailed:
        ShowError("Cannot save camera backup", "Check the disk and try again", piStop);
        break;
    }
    Restart();
}

void COrvelConfig::ExecuteStep()
{
    switch (wizardStep) {
    case 1:
    case 3: ExecuteScanStep(); break;
    case 2: ExecuteUnplugStep(); break;
    case 4: ExecuteUpdateStep(); break;
    default: break;
    }
}
