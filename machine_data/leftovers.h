// What a killed run of the program left half made in its data folder.
#pragma once

namespace machinedata {

// Removes the new files that a run wrote beside a file and never renamed
// into place (NAME.new.PID.N), of runs that no longer live, in the data
// folder and its subfolders. Names the program does not make stay.
void SweepLeftovers();

}  // namespace machinedata
