#include "platform/recording_platform.h"
