#include <gtest/gtest.h>

#include "TypeLibFixtures.h"
#include "typeinfo/MsftWriter.h"
#include "typeinfo/TypeLibPrinter.h"
#include "typeinfo/TypeLibrary.h"

using namespace quillet::typeinfo;

TEST(TypeLibPrinter, ShowsTheLibraryAsIdl) {
  const auto library = CTypeLibrary::LoadBytes(CMsftWriter::Write(quillet::test::RichLibrary()), nullptr);
  ASSERT_TRUE(library);
  const std::u16string text = CTypeLibPrinter(*library).Print();
  for (const char16_t* expected : {
           u"library ShapeLib\n{\n    importlib(\"stdole2.tlb\");\n",
           u"version(3.10), helpstring(\"Shapes and their \u00e9tats\"), helpfile(\"shapes.chm\")]",
           u"        skNegative = -5,\n",
           u"        [hidden] skHidden = 9,\n",
           u"        [id(0x00000002), propget] BSTR Name();\n",
           u"        [id(0x00000003)] void Move([in] long dx, [in, optional, defaultvalue(2.5)] double dy, "
           u"[in, optional, defaultvalue(1)] ShapeKind kind, [in, optional, defaultvalue(\"here \\\"now\\\"\")] BSTR label, "
           u"[in, optional, defaultvalue(-1)] VARIANT_BOOL visible, [in, optional, defaultvalue(1/1/2000 12:00:00 PM)] DATE when, "
           u"[in, optional, defaultvalue(1.2345)] CURRENCY price, [in, optional, defaultvalue(-1234567890123)] int64 big, "
           u"[in, optional, defaultvalue(0.25)] float ratio, [out] VARIANT* out);\n",
           u"        [id(0x00000006)] double[3][4] Grid([in] SAFEARRAY(BSTR) cells);\n",
           // No registry finds stdole2 here, yet IDispatch is named by its fixed GUID.
           u"dual, oleautomation] interface ICanvas : IDispatch {\n",
           u"HRESULT Add([in] IShape* shape, [out, retval] IShape** result);\n",
           u"] coclass Canvas {\n        [default] interface ICanvas;\n        [default, source] dispinterface ICanvasEvents;\n",
           u"    typedef ShapeKind ShapeKindAlias;\n",
           u"    typedef struct {\n        [id(0x40000000)] long x;\n"}) {
    EXPECT_NE(text.find(expected), std::u16string::npos) << std::string(expected, expected + std::char_traits<char16_t>::length(expected));
  }
}
