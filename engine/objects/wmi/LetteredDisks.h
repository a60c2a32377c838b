#pragma once
// The logical disks scripts know by a drive letter: one per letter of the drive map, named
// "C:", "Z:" as FileSystemObject names its drives, with the same sizes, file system and serial
// number that its Drive objects report for the folder behind the letter.

#include <set>
#include <string>

#include "engine/objects/wmi/WbemInstance.h"

namespace quillet::engine {

// Appends a disk per drive letter; mountPoints receives the mount points that a letter stands
// for (Z: for "/"), which are then not listed again under their folder's name.
void AddLetteredDisks(const platform::SWmiClass& cls, WbemInstances& out, std::set<std::string>& mountPoints);

}  // namespace quillet::engine
