// All record classes of the catalogue, price, project and picture tables.
#pragma once

#include "catalogue/polynomial_records.h"
#include "catalogue/brine_records.h"
#include "catalogue/unit_records.h"
#include "catalogue/option_records.h"
#include "catalogue/price_records.h"
#include "catalogue/project_records.h"
