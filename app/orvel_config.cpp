// Construction and placement of the main window.
#include "app/orvel_config.h"

#include "app/main_window.h"
#include "camera/camera_classes.h"
#include "toolkit/memory.h"
#include "toolkit/text.h"

namespace {

constexpr uint32_t mainWindowStyle = 0x80001213;

}  // namespace

COrvelConfig::COrvelConfig()
    : wizardStep(0),
      infoPane(nullptr),
      modeCombo(nullptr),
      actionButton(nullptr),
      nextButton(nullptr),
      overscanEnabled(false)
{
    Fill(headerBlock, sizeof headerBlock, 0);
    Fill(descriptorBlockA, sizeof descriptorBlockA, 0);
    Fill(descriptorBlockB, sizeof descriptorBlockB, 0);
    // Written by the first successful scan before anything reads them;
    // zero until then all the same.
    Fill(geometryBlock, sizeof geometryBlock, 0);
    sensorIndex = 0;

    deviceNotification = nullptr;
    familyFlags = 0;
    Fill(devicePath, sizeof devicePath, 0);
    commandPipe = INVALID_HANDLE_VALUE;
    dataPipe = INVALID_HANDLE_VALUE;
    auxPipe = INVALID_HANDLE_VALUE;
    lastError[0] = 0;

    for (bool& granted : grantedDriverKeys) granted = false;
    writtenChoice = -1;
    grantFailed = false;
    closing = false;
    originalOffered = false;
    replyStatus = -1;
    originalFields = WrittenFields{};
}

void COrvelConfig::InitMainWindow()
{
    CRect rect(defaultWindowX, defaultWindowY, mainWindowWidth, mainWindowHeight);
    int32_t position[2] = {rect.x, rect.y};
    LoadWindowPos(position);
    rect.x = position[0];
    rect.y = position[1];
    Init(rect, mainWindowStyle, LengthA(0, windowTitle), windowTitle, nullptr, nullptr, nullptr, nullptr);
}
