#pragma once

#include <string>
#include <string_view>

#include "project/NewProject.h"

class CIDG;

// The parameter file a calling program hands over with the start-up switch
// "m": a project description in GBK text, lines ending with CR LF or LF,
// numbers separated by spaces, tabs or commas, blank lines ignored.
//
//   project name                         (required)
//   SI | ENG | IP                        (unit system; loads in kW, or kcal/h for ENG;
//                                         IP: pressures in psia, temperatures in ℉,
//                                         loads in Btu/h, moisture in lb/h, air in cfm)
//   summer: p_Pa t_C tw_C [outdoor-name] (summer pressure and outdoor design state)
//   winter: p_Pa t_C RH_% [outdoor-name] (winter pressure and outdoor state)
//   SYSTEM
//   system name                          (required)
//   ROOM
//   room name                            (required)
//   summer: t_C RH_% load moisture_kg/h fresh_air_m3/h
//   winter: t_C RH_% load moisture_kg/h fresh_air_m3/h
//   further ROOM blocks, further SYSTEM blocks
//
// The words "summer:" and "winter:" may be left out; an outdoor point without
// a name is "W". A line after the winter outdoor line that is not "SYSTEM"
// starts the description again with that line as the project name. The
// atmospheric values of each season are the outdoor design state: its
// dry-bulb temperature, the pressure, its moisture content and the air
// density from these (AirDensity). Loads are stored in kW (kcal/h × 0.001163).

// Parses the bytes of a parameter file; false with error naming the line and
// what was expected there (data is then unspecified).
bool ReadParameterFile(std::string_view bytes, NewProjectData& data, std::string& error);
// Reads and parses the file at path.
bool LoadParameterFile(const std::string& path, NewProjectData& data, std::string& error);
// Reads the file at path into idg as a new project (CopyNewProject), with the
// first room of the first system current; idg is untouched on failure.
bool ImportParameterFile(CIDG& idg, const std::string& path, std::string& error);
