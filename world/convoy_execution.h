#pragma once
// Executing the convoys of a country once per impulse, inside the supply pass: checks,
// sea transport points, the route and its raids, and what arrives.
#include "world/convoys.h"
#include "world/supply.h"

// Runs every convoy of the country in order; the city groups and supply sources are those
// of its side (or its own, for a neutral).
void ExecuteConvoysOfCountry(int countryId, const tCityGroups& groups, const tSupplySources& sources);
sConvoyResult ExecuteConvoy(sKonwoj& convoy, const tCityGroups& groups, const tSupplySources& sources);
