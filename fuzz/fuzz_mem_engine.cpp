// Arbitrary bytes loaded through the memory engine as the program loads a
// project: container, EDI text, conversions into a schema with links, and
// the reference checks. A load either fails cleanly or leaves an engine that
// saves and reloads.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "objectstore/base_factory.h"
#include "objectstore/mem_engine.h"

namespace {

using namespace brumalis;

// Controllers (81) with ordered, cascading steps (86) and one pump each (92).
std::unique_ptr<CTBaseFactory> MakeFactory() {
    auto f = std::make_unique<CTBaseFactory>("EDI", 100, 100);
    f->AddDatabase("Chiller_Project");
    auto ctl = std::make_unique<CTTableInfo>(81, 0, "ChController", -1, false, true);
    ctl->AddFieldInfo(0, CTFieldInfo::CreateInteger("CTL_ID", 0));
    ctl->AddFieldInfo(1, CTFieldInfo::CreateUnicodeString("CTL_Name", "", true), true);
    ctl->AddFieldInfo(2, CTFieldInfo::CreateCurrency("CTL_Price", 0));
    ctl->AddFieldInfo(3, CTFieldInfo::CreateTGUID("CTL_Guid"));
    CTTableInfo& controller = f->RegisterTable(std::move(ctl));
    for (std::int32_t nClsID : {86, 92}) {
        auto t = std::make_unique<CTTableInfo>(nClsID, 0, nClsID == 86 ? "ChControllerStep" : "ChPump", -1, false, false);
        t->AddFieldInfo(0, CTFieldInfo::CreateInteger("X_ID", 0));
        t->AddFieldInfo(1, CTFieldInfo::CreateInteger("X_Controller_CLS_REF", 0));
        t->AddFieldInfo(2, CTFieldInfo::CreateInteger("X_Controller_OBJ_REF", 0));
        t->AddFieldInfo(3, CTFieldInfo::CreateInteger("X_Order", 0));
        t->AddFieldInfo(4, CTFieldInfo::CreateDouble("X_Cap", 0));
        f->RegisterTable(std::move(t));
    }
    f->AddLink(controller, 22, "ChControllerSteps", 86, 1, TLinkFlags{.bRefIntegr = true, .bCascDel = true, .bIsOrdered = true});
    f->AddLink(controller, 23, "ChControllerPump", 92, 1, TLinkFlags{.bOneToOne = true, .bRefIntegr = true});
    f->ResolveSchema();
    return f;
}

bool Load(CTMemDbEngine& engine, const std::string& bytes) {
    CTByteViewStream raw(bytes);
    try {
        const auto payload = OpenContainerPayload(raw, CTMemDbEngine::CompressionSettings());
        CTStreamIO io(*payload);
        engine.ReadFrom(io);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const auto pFactory = [] {
        CTMemDbEngine::UseCompression(true);
        CTMemDbEngine::SetCompressionSignature("QXZ");
        return MakeFactory();
    }();
    CTMemDbEngine::SetAutoCorrect(size % 2 == 1);
    CTMemDbEngine engine(*pFactory, "Chiller_Project", std::string(), false, 0);
    if (!Load(engine, std::string(reinterpret_cast<const char*>(data), size))) return 0;
    CTMemoryStream saved;
    engine.WriteToStream(saved);
    CTMemDbEngine again(*pFactory, "Chiller_Project", std::string(), false, 0);
    if (!Load(again, saved.Data())) std::abort();
    CTMemoryStream resaved;
    again.WriteToStream(resaved);
    if (resaved.Data() != saved.Data()) std::abort();
    return 0;
}
