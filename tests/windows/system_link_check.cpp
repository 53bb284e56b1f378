// The system's camera scan linked over the real platform: with no camera
// attached it reports "Not connected".
#include <cstdio>

#include "app/orvel_config.h"
#include "toolkit/button.h"
#include "wizard/camera_info_pane.h"

int main()
{
    COrvelConfig config;
    CCameraInfoPane pane;
    CButton next;
    config.infoPane = &pane;
    config.nextButton = &next;
    config.wizardStep = 1;
    config.ScanCamera();
    std::printf("%s\n", pane.typeValue);
    config.CloseCamera();
    return 0;
}
