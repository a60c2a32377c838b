// The console host: cscript [//switches] script.vbs [arguments]

#include "engine/host/HostMain.h"

int main(int argc, char** argv) {
  return quillet::engine::host::HostMain(argc, argv, quillet::engine::host::EHostKind::Console);
}
