// The New-menu scan read word for word: every template probed by path, every key
// reopened from the root through RegistryCursor. Slow, but plainly right; the fast scan is
// held to its rows.
#pragma once

#include "catalogue/EntryRow.h"
#include "platform/RegistryBackend.h"

#include <cstddef>
#include <string>

namespace kestrova {

std::size_t ReferenceNewMenuScan(RegistryBackend& registry, RowSink& rows, const std::string& classesPath);

}  // namespace kestrova
