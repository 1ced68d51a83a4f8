#pragma once

#include "engine/Records.h"

// An invented guild for trying the planner: 40 checked heroes with the user's
// own hero at index 0, a few unchecked ones who left, placeholders behind
// them, and 64 viruses of rising strength. The same tables come out on every
// run and every platform, so the committed example files can be regenerated
// byte for byte.
void FillSampleHeroes(HeroTable& heroes);
void FillSampleViruses(VirusTable& viruses);
