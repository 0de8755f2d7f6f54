// Stopping the product's running processes.
#pragma once

// Terminates, with exit code 1, every process whose image file name equals imageName
// exactly (case-sensitive, no path). The calling process itself is never terminated.
// True when at least one process matched and every match was terminated; a failed
// termination stops the walk and gives false. A null name gives false.
bool KillProcessByName(const wchar_t* imageName);
