#pragma once
// Filling the prefix tables from a country file in the comma-separated form
// that amateur-radio loggers share ("cty.csv"): one line per entity,
//   prefix,name,ADIF number,continent,CQ zone,ITU zone,latitude,longitude,
//   time offset,prefix list;
// where the list holds prefixes and "=CALL" whole callsigns separated by
// blanks, each with optional overrides "(cq)", "[itu]", "{continent}",
// "<lat/lon>" and "~offset~". Longitudes are positive to the west. A "*"
// before the entity prefix marks an area counted only for WAE, filed under
// the DXCC entity with the same ADIF number.
#include <string>
#include <string_view>
#include <vector>

#include "prefix/dbPrefixBase.h"

struct TCtyToken {
  std::string Text;        // upper case, overrides removed
  bool WholeCall = false;  // written "=CALL"
  int Cq = 0;              // overrides; 0 / empty = the entity's value
  int Itu = 0;
  std::string Continent;
  bool HasLatLon = false;
  double Lat = 0, Lon = 0;  // east positive
};

struct TCtyEntity {
  std::string Dxcc;  // upper case, without '*'
  std::string Name;
  int Adif = 0;
  std::string Continent;
  int Cq = 0;
  int Itu = 0;
  double Lat = 0, Lon = 0;  // east positive
  bool WaeOnly = false;     // the line began with '*'
  std::vector<TCtyToken> Tokens;
};

// Parses the whole file. Lines that cannot be read are reported in errors
// (line number and reason) and left out.
std::vector<TCtyEntity> ParseCtyCsv(std::string_view text, std::vector<std::string>& errors);

// The records for the tables.
struct TCtyRecords {
  std::vector<TPrefixRecord> Main;        // ZQPREFIX
  std::vector<TPrefixRecord> Exceptions;  // ZQPREFES (whole callsigns)
  int DuplicateCalls = 0;                 // whole callsigns listed twice: the more specific kept
};

// One main record per prefix with its overrides; one record per DXCC entity
// carries the selection mark 'H' that the DXCC picker lists (an extra record
// for entities whose own prefix is not in their list: "X/Y" texts as a real
// prefix, others ending in '-' so that no callsign search meets them).
TCtyRecords BuildPrefixRecords(const std::vector<TCtyEntity>& entities);

// Replaces the contents of ZQPREFIX, ZQPREFEE and ZQPREFES in the program
// directory by the records, in one transaction per table. False with a
// German message in error on failure.
bool WritePrefixTables(const TCtyRecords& records, std::string& error);
