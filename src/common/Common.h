#pragma once

// The shared display helpers: message service, tab pages and their state, grids and
// record cards, incremental search, month selectors, printing through the report host and
// of drawn documents.

#include "AbilitaControlli.h"
#include "CollegamentoCampi.h"
#include "Griglia.h"
#include "Messaggi.h"
#include "PaginaScheda.h"
#include "PannelliScheda.h"
#include "Ricerca.h"
#include "StampaForm.h"
#include "StampaReport.h"
#include "StatoMain.h"
#include "Visualizzazione.h"
