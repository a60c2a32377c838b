// The windowed host: wscript [//switches] script.vbs [arguments]. Echo and errors appear in
// message boxes; without a display they fall back to the console streams.

#include "engine/host/HostMain.h"

int main(int argc, char** argv) {
  return quillet::engine::host::HostMain(argc, argv, quillet::engine::host::EHostKind::Windowed);
}
