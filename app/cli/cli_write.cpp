// write: the wizard's job from scan to revoke on one camera, its buttons
// pressed as the command asks and its waits bounded.
#include <algorithm>
#include <vector>

#include "app/cli/cli_camera_choice.h"
#include "app/cli/cli_commands.h"
#include "app/cli/cli_same_mode.h"
#include "app/cli/cli_scan.h"
#include "i18n/translate.h"
#include "machine_data/grant_journal.h"
#include "machine_data/run_record.h"
#include "overscan/driver_permission.h"
#include "platform/console_signals.h"
#include "toolkit/combo_box.h"

namespace {

// The administrator check of the window runs this long after its start.
constexpr uint32_t adminCheckDelayMs = 300;

struct Job {
    const CliOptions& options;
    CliReport report;  // names the camera once it is chosen
    CliWizard wizard;
    bool permissionStayed = false;
    std::string cameraId;
};

int ChosenPosition(const std::string& mode)
{
    return mode == "enabled" ? enabledPosition : mode == "original" ? originalPosition : disabledPosition;
}

const char* ModeName(int position)
{
    return position == enabledPosition ? "Enabled" : position == originalPosition ? "Original" : "Disabled";
}

// What a --camera that chooses no connected camera asked for, with the
// cameras that are connected.
CliText NoneChosen(const CameraChoice& choice, const std::string& connected)
{
    const std::string id = std::to_string(choice.cameraId);
    switch (choice.by) {
    case CameraChoice::By::id: return Said("no camera with the ID {1} (connected: {2})", {id, connected});
    case CameraChoice::By::productAndId:
        return Said("no camera with the product id {1} and the ID {2} (connected: {3})",
                    {std::to_string(choice.productId), id, connected});
    case CameraChoice::By::path:
        return Said("no camera at the interface path {1} (connected: {2})", {choice.path, connected});
    }
    return AsIs("");
}

// Picks the camera: the one --camera chooses, or the only one. Cameras are
// named by the shortest form that chooses each: the camera ID, else
// PRODUCTID-CAMERAID, else the interface path.
int ChooseCamera(Job& job, CameraSeen* chosen)
{
    std::vector<CameraSeen> cameras = ScanConnected(&job.wizard);
    // A camera another program holds is passed over, as the window's search passes it over.
    cameras.erase(std::remove_if(cameras.begin(), cameras.end(), [](const CameraSeen& c) { return c.busy; }),
                  cameras.end());
    if (cameras.empty()) return job.report.Error(cliexit::noCamera, Said("no camera is connected"));
    const CameraChoice& choice = job.options.camera;
    std::vector<const CameraSeen*> matching;
    std::string connected, matches;
    bool byIds = true;
    for (const CameraSeen& camera : cameras) {
        const std::string form = ChoosingForm(camera, cameras);
        byIds = byIds && form == camera.id;
        connected += (connected.empty() ? "" : ", ") + form;
        if (job.options.cameraGiven && !Chooses(choice, camera)) continue;
        matching.push_back(&camera);
        matches += (matches.empty() ? "" : ", ") + form;
    }
    if (job.options.cameraGiven && matching.empty())
        return job.report.Error(cliexit::noCamera, NoneChosen(choice, connected));
    if (matching.size() > 1 && job.options.cameraGiven)
        return job.report.Error(cliexit::usage, Said("several cameras match --camera {1} ({2}): choose one with "
                                                     "--camera and one of these",
                                                     {choice.text, matches}));
    if (matching.size() > 1 && byIds)
        return job.report.Error(cliexit::usage,
                                Said("several cameras are connected (IDs {1}): choose one with --camera ID", {connected}));
    if (matching.size() > 1)
        return job.report.Error(cliexit::usage, Said("several cameras are connected ({1}): choose one with --camera "
                                                     "and one of these",
                                                     {connected}));
    *chosen = *matching.front();
    // Why it cannot be written is told to a person as the window's pane
    // tells it, in the chosen language.
    if (chosen->mode != "Enabled" && chosen->mode != "Disabled") {
        CliText told = Said("the camera {1} cannot be written: {2}", {chosen->id, chosen->mode});
        told.shown = TrFormat("the camera {1} cannot be written: {2}", {chosen->id, Tr(chosen->mode.c_str())});
        return job.report.Error(cliexit::noCamera, told);
    }
    if (job.options.mode == "original" && !chosen->original)
        return job.report.Error(cliexit::noCamera, Said("the camera {1} has no numbers of its own in a backup: "
                                                        "Original is not offered",
                                                        {chosen->id}));
    return cliexit::done;
}

// The end of a wait that did not reach its goal, as an exit code; the
// window is closed, and with it the permission revoked. timedOut is the
// error a wait that timed out tells.
int WaitFailed(Job& job, WaitEnd end, const char* timedOut)
{
    // Told to the record as the window's close, at the step it showed.
    if (end == WaitEnd::timedOut) {
        const int step = job.wizard.Window()->wizardStep;
        runrecord::CloseAsked(step, step == 2 ? "a timeout of the wait for the unplug"
                                              : "a timeout of the wait for the plug");
    }
    job.wizard.Close();
    if (end == WaitEnd::signalled) return -1;
    if (end == WaitEnd::timedOut) return job.report.Error(cliexit::timedOut, Said(timedOut));
    // The journal line goes before the grant: one that cannot be saved is
    // no matter of rights.
    if (!unsavedJournal.empty())
        return job.report.Error(cliexit::noRights,
                                Said("the permission could not be noted in {1}: nothing granted", {unsavedJournal}));
    return job.report.Error(cliexit::noRights,
                            Said("the permission could not be granted: run it from an administrator's command prompt"));
}

// Steps 1 and 2: the camera scanned, the rights checked, the unplugging
// waited for, the permission granted.
int Unplug(Job& job)
{
    COrvelConfig* window = job.wizard.Window();
    headless::AdvanceTime(adminCheckDelayMs);
    // The window's own check after its start: without the rights it closes.
    if (!job.wizard.Running()) {
        job.wizard.Close();
        return job.report.Error(cliexit::noRights, Said("run it from an administrator's command prompt"));
    }
    if (!job.wizard.Button(cmNextStep)) {
        job.wizard.Close();
        return job.report.Error(cliexit::noCamera, Said("the camera cannot be configured"));
    }
    job.wizard.Press(cmNextStep);
    job.report.Event("unplug", TrFormat("Unplug the power of camera {1} now.", {job.cameraId}));
    // A prompt that cannot be shown asks no one: nothing is granted or written.
    if (job.report.OutputFailed()) {
        job.wizard.Close();
        return cliexit::outputFailed;
    }
    WaitEnd end = job.wizard.Wait(job.options.waitSeconds, [&] { return window->wizardStep >= 3; }, [&] {
        // Gone already when Next was pressed: the grant is made, Next leads on.
        if (window->wizardStep == 2) job.wizard.Press(cmNextStep);
    });
    if (end != WaitEnd::reached)
        return WaitFailed(job, end,
                          "timed out waiting for the camera to be unplugged: nothing written, the permission revoked");
    job.report.Event("unplugged", "");
    return cliexit::done;
}

// Step 3: the camera plugged in again, and found to be the same.
int PlugIn(Job& job)
{
    COrvelConfig* window = job.wizard.Window();
    job.report.Event("plug", TrFormat("Plug camera {1} in again.", {job.cameraId}));
    bool different = false;
    WaitEnd end = job.wizard.Wait(
        job.options.waitSeconds,
        [&] { return different || (window->wizardStep == 3 && job.wizard.Button(cmNextStep)); },
        [&] {
            if (window->wizardStep != 3) return;
            job.wizard.Press(cmExecuteStep);
            different = window->wizardStep != 3;
        });
    if (end == WaitEnd::reached && different) {
        job.wizard.Close();
        return job.report.Error(cliexit::differentCamera, Said("a different camera was plugged in: nothing written"));
    }
    if (end != WaitEnd::reached)
        return WaitFailed(job, end,
                          "timed out waiting for the camera to be plugged in: nothing written, the permission revoked");
    job.report.Event("plugged", "");
    return cliexit::done;
}

int UpdateFailed(Job& job)
{
    const std::string box = job.wizard.LastBox();
    // The window tells a refused write with the box of a failed one.
    const bool refused = job.wizard.Running() && job.wizard.Window()->lastUpdate == UpdateOutcome::writeRefused;
    job.wizard.Close();
    if (refused)
        return job.report.Error(cliexit::writeFailed, Said("the camera refused the write: unplug its power after the "
                                                           "permission is granted, then write again"));
    if (box == "This camera is different")
        return job.report.Error(cliexit::differentCamera, Said("a different camera is connected: nothing written"));
    if (box == "Camera not connected")
        return job.report.Error(cliexit::noCamera, Said("the camera is not connected: nothing written"));
    // The window's box is the backup's either way; the note is named when
    // it was the cause.
    if (box == "Cannot save camera backup" && !unsavedNote.empty())
        return job.report.Error(cliexit::writeFailed,
                                Said("the update could not be noted in {1}: nothing written", {unsavedNote}));
    if (box == "Cannot save camera backup")
        return job.report.Error(cliexit::writeFailed, Said("the camera's backup could not be saved: nothing written"));
    return job.report.Error(cliexit::writeFailed,
                            Said("the camera's EEPROM could not be written or verified (put back as far as it answers)"));
}

// Steps 4 and 5: the mode chosen, written and verified; the permission
// revoked on the way to step 5, and the window closed by Finish.
int WriteMode(Job& job)
{
    COrvelConfig* window = job.wizard.Window();
    job.wizard.Press(cmNextStep);
    const int position = ChosenPosition(job.options.mode);
    if (window->wizardStep != 4 || position > window->modeCombo->ItemCount()) {
        job.wizard.Close();
        return job.report.Error(cliexit::noCamera, Said("Original is not offered for this camera: nothing written"));
    }
    window->modeCombo->Select(position);
    headless::Pump();
    job.wizard.Press(cmExecuteStep);
    if (!job.wizard.Running() || window->wizardStep != 4 || !job.wizard.Button(cmNextStep)) return UpdateFailed(job);
    job.report.Event("written", "");
    job.wizard.Press(cmNextStep);
    job.permissionStayed = window->permissionStayed;
    if (!job.permissionStayed) job.report.Event("revoked", "");
    job.wizard.Press(cmNextStep);
    job.wizard.Close();
    return cliexit::done;
}

// {"event": "done", "mode": MODE, "unchanged": ...}, stamped.
std::string DoneLine(const Job& job, const char* mode, bool unchanged)
{
    JsonLine line;
    line.Text("event", "done").Text("mode", mode).Flag("unchanged", unchanged);
    return job.report.Stamped(line).Finish();
}

int Finish(Job& job, const char* mode)
{
    if (job.permissionStayed || PermissionLeftBehind())
        return job.report.Error(cliexit::permissionStayed,
                                Said("the camera was written, but the permission could not be removed: the driver "
                                     "still accepts writes; start vellmark-cli or vellmark again to remove it"));
    if (job.report.Json()) {
        job.report.Out(DoneLine(job, mode, false));
    } else {
        job.report.Out(Tr("Camera update successful."));
        job.report.Out(Tr("Changes will take effect after camera is unplugged from power and plugged again."));
    }
    return cliexit::done;
}

// The camera holds that mode's numbers already: nothing granted, asked or
// written.
int Unchanged(Job& job, const char* mode)
{
    job.wizard.Close();
    if (job.report.Json())
        job.report.Out(DoneLine(job, mode, true));
    else
        job.report.Out(TrFormat("the camera {1} is already {2}: nothing written", {job.cameraId, mode}));
    return cliexit::done;
}

}  // namespace

int RunWrite(const CliOptions& options, const CliReport& report)
{
    Job job{options, report, {}, false, {}};
    // What a run that never revoked left behind, before the first scan.
    RevokeLeftoverGrants();
    CameraSeen chosen;
    if (int code = ChooseCamera(job, &chosen)) return code;
    job.cameraId = chosen.id;
    job.report.NameCamera(chosen.id);
    // From here on the other cameras are passed over.
    job.wizard.Start(chosen.path);
    CameraSeen again = SeenByWizard(job.wizard.Window(), chosen.path);
    if (!again.read || again.id != chosen.id) {
        job.wizard.Close();
        return job.report.Error(cliexit::noCamera, Said("the camera {1} is no longer connected", {chosen.id}));
    }
    const int position = ChosenPosition(options.mode);
    if (!options.force && HoldsModeAlready(job.wizard.Window(), position)) return Unchanged(job, ModeName(position));
    for (int (*stage)(Job&) : {Unplug, PlugIn, WriteMode}) {
        int code = stage(job);
        if (code < 0 || consolesignals::Pending()) {
            job.wizard.Close();
            return -1;
        }
        if (code) return code;
    }
    return Finish(job, ModeName(ChosenPosition(options.mode)));
}
