#pragma once
// Standard controls: label, panel and group box (painted by us), button, check box and radio
// button (native BUTTON windows), radio group, list box and edit (native windows). Each lives
// in its own header; this one gathers them for code that uses several.
#include "framework/Button.h"
#include "framework/CheckBox.h"
#include "framework/ControlEnums.h"
#include "framework/Edit.h"
#include "framework/GroupBox.h"
#include "framework/Label.h"
#include "framework/ListBox.h"
#include "framework/Panel.h"
#include "framework/RadioButton.h"
#include "framework/RadioGroup.h"
