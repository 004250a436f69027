#include "twyndle/app/app_state.h"

AppState app;
