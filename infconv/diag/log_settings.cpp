#include "log.h"

void cLog::applySettings() {}
