#pragma once
// <windows.h> for the backend. Its A/W macros would rename the platform
// layer's own members of the same names (CWnd::PostMessage becoming
// PostMessageW in some files only), so they go once it is read.
#include <windows.h>

#undef AppendMenu
#undef DispatchMessage
#undef DrawText
#undef GetMessage
#undef LoadMenu
#undef ModifyMenu
#undef PeekMessage
#undef PostMessage
#undef SendMessage
#undef DeleteFile
#undef ReplaceFile
