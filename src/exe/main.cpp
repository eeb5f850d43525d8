#include "exe/kitemaru_app.h"
#include "exe/rc_ids.h"
#include "res/resource_ids.h"

static_assert(KITEMARU_RC_ICON == IDI_KITEMARU, "kitemaru.rc embeds the program icon under IDI_KITEMARU");

// The one application object; the backend's entry point (wWinMain, or main
// on Linux) runs it.
CkitemaruApp theApp;
