#pragma once

// The whole form and control kit.
#include "platform/forms/Application.h"
#include "platform/forms/Control.h"
#include "platform/forms/Controls.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/Form.h"
#include "platform/forms/ListView.h"
#include "platform/forms/Menu.h"
#include "platform/forms/PageControl.h"
#include "platform/forms/Timer.h"
