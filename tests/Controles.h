#pragma once
// The controls the forms are built of, for the tests that drive forms through them.

#include "platform/controls/EditorDeTexto.h"
#include "platform/controls/Label.h"
#include "platform/controls/MSFlexGrid.h"
#include "platform/controls/OptionButton.h"
#include "platform/controls/PictureBox.h"
#include "platform/controls/Shape.h"
#include "platform/controls/Twips.h"
#include "platform/controls/XRAssinatura.h"
#include "platform/controls/XRComboBox.h"
#include "platform/controls/XRCommandButton.h"
#include "platform/controls/XRDTPicker.h"
#include "platform/controls/XRFind.h"
#include "platform/controls/XRNavigationBar.h"
#include "platform/controls/XRNumberBox.h"
#include "platform/controls/XRTheme.h"
