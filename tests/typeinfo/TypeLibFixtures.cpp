#include "TypeLibFixtures.h"

namespace quillet::test {

using namespace typeinfo;

STypeRef LocalRef(int index) {
  STypeRef ref;
  ref.typeIndex = index;
  return ref;
}

STypeDesc Simple(std::uint16_t type) { return STypeDesc{type, {}, {}, {}}; }
STypeDesc PointerTo(STypeDesc inner) { return STypeDesc{vt::kPtr, {std::move(inner)}, {}, {}}; }
STypeDesc UserType(int localIndex) { return STypeDesc{vt::kUserDefined, {}, {}, LocalRef(localIndex)}; }
SVariant Int(std::uint16_t type, std::int64_t value) { return SVariant{type, value, 0, {}}; }
SVariant Text(std::u16string text) { return SVariant{vt::kBstr, 0, 0, std::move(text)}; }
SGuid MakeGuid(std::uint32_t first) { return SGuid{first, 0x1234, 0x5678, {0x9A, 0xBC, 0xDE, 0xF0, 1, 2, 3, 4}}; }

SGuid AutomationLibraryGuid() { return SGuid{0x00020430, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}}; }

namespace {

SFuncDesc Method(std::int32_t id, std::u16string name, STypeDesc result, std::vector<SParamDesc> params = {},
                 EInvokeKind invoke = EInvokeKind::Func) {
  SFuncDesc func;
  func.memberId = id;
  func.name = std::move(name);
  func.returnType = std::move(result);
  func.params = std::move(params);
  func.invokeKind = invoke;
  for (const auto& param : func.params)
    if (param.flags & flags::kParamOptional) ++func.optionalCount;
  return func;
}

SParamDesc Param(std::u16string name, STypeDesc type, std::uint16_t paramFlags = flags::kParamIn,
                 std::optional<SVariant> value = std::nullopt) {
  if (value) paramFlags |= flags::kParamOptional | flags::kParamHasDefault;
  return SParamDesc{std::move(name), std::move(type), paramFlags, std::move(value)};
}

SVarDesc Constant(std::int32_t id, std::u16string name, SVariant value, std::uint16_t varFlags = 0) {
  SVarDesc var;
  var.memberId = id;
  var.name = std::move(name);
  var.type = Simple(value.vt);
  var.value = std::move(value);
  var.flags = varFlags;
  return var;
}

}  // namespace

SLibraryDesc AutomationLibrary() {
  SLibraryDesc library;
  library.guid = AutomationLibraryGuid();
  library.name = u"stdole";
  library.majorVersion = 2;
  STypeInfoDesc unknown;
  unknown.kind = ETypeKind::Interface;
  unknown.name = u"IUnknown";
  unknown.guid = SGuid{0, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
  unknown.flags = flags::kTypeHidden;
  unknown.funcs.push_back(Method(0x60000000, u"QueryInterface", Simple(vt::kHresult)));
  unknown.funcs.back().funcKind = EFuncKind::PureVirtual;
  unknown.funcs.back().flags = flags::kFuncRestricted;
  STypeInfoDesc dispatch = unknown;
  dispatch.name = u"IDispatch";
  dispatch.guid.data1 = 0x00020400;
  dispatch.implTypes = {SImplType{LocalRef(0), 0}};
  library.types = {unknown, dispatch};
  return library;
}

SLibraryDesc RichLibrary() {
  SLibraryDesc library;
  library.guid = MakeGuid(0xA1000000);
  library.name = u"ShapeLib";
  library.docString = u"Shapes and their \u00e9tats";
  library.helpFile = u"shapes.chm";
  library.helpContext = 7;
  library.lcid = 0x409;
  library.majorVersion = 3;
  library.minorVersion = 10;
  library.imports.push_back(SImportLib{AutomationLibraryGuid(), 0, 2, 0, u"stdole2.tlb"});
  const STypeRef importedDispatch{0, -1, SGuid{0x00020400, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}}, ETypeKind::Interface};

  // 0: enum ShapeKind
  STypeInfoDesc kind;
  kind.kind = ETypeKind::Enum;
  kind.name = u"ShapeKind";
  kind.guid = MakeGuid(0xA1000001);
  kind.vars = {Constant(0, u"skCircle", Int(vt::kI4, 0)), Constant(1, u"skSquare", Int(vt::kI4, 1)),
               Constant(2, u"skNegative", Int(vt::kI4, -5)), Constant(3, u"skLarge", Int(vt::kI4, 0x7FFFFFFF)),
               Constant(4, u"skHidden", Int(vt::kI4, 9), flags::kVarHidden)};
  kind.vars[1].docString = u"Four equal sides";

  // 1: dispinterface IShape (dual-free, events source for later)
  STypeInfoDesc shape;
  shape.kind = ETypeKind::Dispatch;
  shape.name = u"IShape";
  shape.docString = u"A shape";
  shape.guid = MakeGuid(0xA1000002);
  shape.flags = flags::kTypeDispatchable;
  shape.implTypes = {SImplType{importedDispatch, 0}};
  shape.funcs.push_back(Method(1, u"Area", Simple(vt::kR8)));
  shape.funcs.back().docString = u"The area in square units";
  shape.funcs.back().helpContext = 42;
  shape.funcs.push_back(Method(2, u"Name", Simple(vt::kBstr), {}, EInvokeKind::PropertyGet));
  shape.funcs.push_back(Method(2, u"Name", Simple(vt::kVoid), {Param(u"value", Simple(vt::kBstr))},
                               EInvokeKind::PropertyPut));
  shape.funcs.push_back(Method(3, u"Move", Simple(vt::kVoid),
                               {Param(u"dx", Simple(vt::kI4)), Param(u"dy", Simple(vt::kR8), flags::kParamIn, SVariant{vt::kR8, 0, 2.5, {}}),
                                Param(u"kind", UserType(0), flags::kParamIn, Int(vt::kI4, 1)),
                                Param(u"label", Simple(vt::kBstr), flags::kParamIn, Text(u"here \"now\"")),
                                Param(u"visible", Simple(vt::kBool), flags::kParamIn, Int(vt::kBool, -1)),
                                Param(u"when", Simple(vt::kDate), flags::kParamIn, SVariant{vt::kDate, 0, 36526.5, {}}),
                                Param(u"price", Simple(vt::kCy), flags::kParamIn, Int(vt::kCy, 12345)),
                                Param(u"big", Simple(vt::kI8), flags::kParamIn, Int(vt::kI8, -1234567890123LL)),
                                Param(u"ratio", Simple(vt::kR4), flags::kParamIn, SVariant{vt::kR4, 0, 0.25, {}}),
                                Param(u"out", PointerTo(Simple(vt::kVariant)), flags::kParamOut)}));
  shape.funcs.push_back(Method(4, u"Secret", Simple(vt::kVoid)));
  shape.funcs.back().flags = flags::kFuncHidden;
  shape.funcs.push_back(Method(5, u"Parent", PointerTo(UserType(2)), {}, EInvokeKind::PropertyGet));
  STypeDesc matrix{vt::kCArray, {Simple(vt::kR8)}, {SArrayBound{3, 0}, SArrayBound{4, 1}}, {}};
  shape.funcs.push_back(Method(6, u"Grid", matrix, {Param(u"cells", STypeDesc{vt::kSafeArray, {Simple(vt::kBstr)}, {}, {}})}));
  SVarDesc colour;
  colour.memberId = 7;
  colour.name = u"Colour";
  colour.varKind = EVarKind::Dispatch;
  colour.type = Simple(vt::kI4);
  shape.vars.push_back(colour);

  // 2: dual interface ICanvas : IDispatch
  STypeInfoDesc canvas;
  canvas.kind = ETypeKind::Interface;
  canvas.name = u"ICanvas";
  canvas.guid = MakeGuid(0xA1000003);
  canvas.flags = flags::kTypeDual | flags::kTypeOleAutomation | flags::kTypeDispatchable;
  canvas.implTypes = {SImplType{importedDispatch, 0}};
  canvas.vtableSize = 36;
  SFuncDesc add = Method(0x60020000, u"Add", Simple(vt::kHresult),
                         {Param(u"shape", PointerTo(UserType(1))),
                          Param(u"result", PointerTo(PointerTo(UserType(1))), flags::kParamOut | flags::kParamRetval)});
  add.funcKind = EFuncKind::PureVirtual;
  add.vtableOffset = 28;
  canvas.funcs.push_back(add);

  // 3: dispinterface ICanvasEvents
  STypeInfoDesc events;
  events.kind = ETypeKind::Dispatch;
  events.name = u"ICanvasEvents";
  events.guid = MakeGuid(0xA1000004);
  events.implTypes = {SImplType{importedDispatch, 0}};
  events.funcs.push_back(Method(1, u"Changed", Simple(vt::kVoid), {Param(u"what", Simple(vt::kBstr))}));

  // 4: coclass Canvas
  STypeInfoDesc coclass;
  coclass.kind = ETypeKind::CoClass;
  coclass.name = u"Canvas";
  coclass.docString = u"A drawing surface";
  coclass.guid = MakeGuid(0xA1000005);
  coclass.flags = flags::kTypeCanCreate;
  coclass.implTypes = {SImplType{LocalRef(2), flags::kImplDefault},
                       SImplType{LocalRef(3), flags::kImplDefault | flags::kImplSource},
                       SImplType{LocalRef(1), 0}};

  // 5: alias OLE_SIZE = long; 6: record Point
  STypeInfoDesc alias;
  alias.kind = ETypeKind::Alias;
  alias.name = u"ShapeKindAlias";
  alias.aliasType = UserType(0);
  STypeInfoDesc point;
  point.kind = ETypeKind::Record;
  point.name = u"Point";
  point.instanceSize = 8;
  for (int i = 0; i < 2; ++i) {
    SVarDesc field;
    field.memberId = 0x40000000 + i;
    field.name = i == 0 ? u"x" : u"y";
    field.varKind = EVarKind::PerInstance;
    field.type = Simple(vt::kI4);
    field.instanceOffset = 4 * i;
    point.vars.push_back(field);
  }

  library.types = {kind, shape, canvas, events, coclass, alias, point};
  return library;
}

}  // namespace quillet::test
