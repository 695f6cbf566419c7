// Thin objects for the standard controls the program attaches to.
#pragma once

#include "framework/Wnd.h"

class CButton : public CWnd {};

class CStatic : public CWnd {};
