#include "engine/objects/wsh/WshNetworkObject.h"

#include <vector>

#include "engine/objects/wsh/MachineNames.h"
#include "engine/objects/wsh/MountTable.h"
#include "engine/objects/wsh/PrinterList.h"
#include "engine/objects/wsh/WshClasses.h"
#include "engine/objects/wsh/WshCollectionObject.h"
#include "engine/objects/wsh/WshErrors.h"

namespace quillet::engine {

CWshNetworkObject::CWshNetworkObject() : CAutomationObject(DispatchTableOf<kWshNetworkClass>()) {}

CDispatchObject* NewWshNetwork() { return new CWshNetworkObject(); }

CVariant CWshNetworkObject::InvokeMember(const om::SMember& member, std::span<CVariant>) {
  namespace id = wsh_network_id;
  switch (member.dispId) {
    case id::UserDomain: return CVariant::String(wsh::UserDomain());
    case id::UserName: return CVariant::String(wsh::UserName());
    case id::UserProfile: return CVariant::String(wsh::UserProfile());
    case id::ComputerName: return CVariant::String(wsh::ComputerName());
    case id::Organization:
    case id::Site: return CVariant::String(u"");
    case id::EnumNetworkDrives: return NetworkDrives();
    case id::EnumPrinterConnections: return PrinterConnections();
    case id::MapNetworkDrive: wsh::ThrowNotAvailable(u"MapNetworkDrive");
    case id::RemoveNetworkDrive: wsh::ThrowNotAvailable(u"RemoveNetworkDrive");
    case id::AddPrinterConnection: wsh::ThrowNotAvailable(u"AddPrinterConnection");
    case id::AddWindowsPrinterConnection: wsh::ThrowNotAvailable(u"AddWindowsPrinterConnection");
    case id::RemovePrinterConnection: wsh::ThrowNotAvailable(u"RemovePrinterConnection");
    case id::SetDefaultPrinter: wsh::ThrowNotAvailable(u"SetDefaultPrinter");
    default: ThrowNoSuchMember();
  }
}

// Windows lists pairs: the local name, then the remote share. A mount point stands for the
// drive letter until drive letters are mapped to folders.
CVariant CWshNetworkObject::NetworkDrives() {
  std::vector<CWshCollectionObject::SItem> items;
  for (const wsh::SNetworkMount& mount : wsh::NetworkMounts()) {
    items.push_back({{}, mount.mountPoint});
    items.push_back({{}, mount.remote});
  }
  return CVariant::Object(new CWshCollectionObject(std::move(items)));
}

// Pairs again: the port, then the printer.
CVariant CWshNetworkObject::PrinterConnections() {
  std::vector<CWshCollectionObject::SItem> items;
  for (const wsh::SPrinter& printer : wsh::Printers()) {
    items.push_back({{}, printer.port});
    items.push_back({{}, printer.name});
  }
  return CVariant::Object(new CWshCollectionObject(std::move(items)));
}

}  // namespace quillet::engine
