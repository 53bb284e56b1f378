#include "app/orvel_config.h"

#include "toolkit/memory.h"

COrvelConfig::COrvelConfig()
    : wizardStep(0), infoPane(nullptr), modeCombo(nullptr), actionButton(nullptr), nextButton(nullptr), overscanEnabled(false)
{
    Fill(headerBlock, sizeof headerBlock, 0);
    Fill(descriptorBlockA, sizeof descriptorBlockA, 0);
    Fill(descriptorBlockB, sizeof descriptorBlockB, 0);
    // Read only after the first successful scan; zero until then all the same.
    Fill(geometryBlock, sizeof geometryBlock, 0);
    sensorIndex = 0;

    deviceNotification = nullptr;
    familyFlags = 0;
    devicePath[0] = 0;
    commandPipe = INVALID_HANDLE_VALUE;
    dataPipe = INVALID_HANDLE_VALUE;
    auxPipe = INVALID_HANDLE_VALUE;
    lastError[0] = 0;

    for (bool& granted : grantedDriverKeys) granted = false;
}
