#pragma once
// Plain macros: the resource compiler reads only the preprocessor. main.cpp
// checks them against res/resource_ids.h.
#define KITEMARU_RC_ICON 128
#define KITEMARU_RC_MANIFEST 1
#define KITEMARU_RT_MANIFEST 24
