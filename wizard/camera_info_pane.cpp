#include "wizard/camera_info_pane.h"

CCameraInfoPane::CCameraInfoPane()
{
    stepTitle[0] = stepLine1[0] = stepLine2[0] = stepLine3[0] = 0;
    typeValue[0] = idValue[0] = overscanValue[0] = 0;
}
