#pragma once

// The shared display helpers: message service and printing through the report host.

#include "Messaggi.h"
#include "StampaReport.h"
