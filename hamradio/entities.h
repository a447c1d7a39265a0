#pragma once
// The program's list of DXCC entities: every ADIF entity number with the
// prefix under which the prefix tables file it, its English name and its
// German name. Deleted entities stay in the list so that old QSOs keep their
// numbers and names.
#include <span>

struct TDxccEntity {
  int Adif;                // ADIF entity number
  const char* Prefix;      // DXCC prefix, upper case ("DL", "3D2/C")
  const char* Name;        // English name as the prefix data spell it
  const char* NameGerman;  // common German name (Windows-1252)
  bool Deleted;            // no longer counts for DXCC
};

// All entities, sorted by ADIF number.
std::span<const TDxccEntity> DxccEntities();

// Areas that the prefix data name separately inside an entity (Sicily,
// Shetland ...); they share their entity's number and serve the names only.
std::span<const TDxccEntity> DxccAreas();

// The entity with that ADIF number, or nullptr.
const TDxccEntity* FindDxccEntity(int adif);
