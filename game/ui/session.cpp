#include "ui/session.h"

uint8_t profilePanel;
uint8_t gameInProgress;
