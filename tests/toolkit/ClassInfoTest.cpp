#include "toolkit/components/ClassInfo.h"
#include "toolkit/controls/Label.h"
#include "toolkit/controls/Memo.h"
#include "toolkit/forms/Form.h"
#include "toolkit/layout/StandardClasses.h"

#include <gtest/gtest.h>

namespace {

enum TShade { shLight, shDark };

// A class with one property of every kind, and the order its setters ran in.
class TGadget : public TComponent {
public:
    explicit TGadget(TComponent* owner) : TComponent(owner) {}
    static const TClassInfo& StaticClassInfo()
    {
        static const TClassInfo info(
            "TGadget", &TComponent::StaticClassInfo(), [](TComponent* owner) { return new TGadget(owner); },
            [](TClassInfo& c) {
                TPublisher<TGadget>(c)
                    .Integer("Size", [](const TGadget& g) { return g.size; }, [](TGadget& g, int v) { g.size = v; })
                    .Boolean("On", [](const TGadget& g) { return g.on; }, [](TGadget& g, bool v) { g.on = v; })
                    .String("Label", [](const TGadget& g) { return g.label; }, [](TGadget& g, const std::string& v) { g.label = v; })
                    .Color("Tint", [](const TGadget& g) { return g.tint; }, [](TGadget& g, TColor v) { g.tint = v; })
                    .Enum<TShade>("Shade", {"shLight", "shDark"}, [](const TGadget& g) { return g.shade; },
                                  [](TGadget& g, TShade v) { g.shade = v; })
                    .Component<TGadget>("Partner", [](const TGadget& g) { return g.partner; },
                                        [](TGadget& g, TGadget* v) { g.partner = v; })
                    .Binary("Data", nullptr, [](TGadget& g, const std::string& v) { g.data = v; })
                    .Integer("Fixed", [](const TGadget&) { return 7; }, nullptr);
            });
        return info;
    }
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    int size = 0;
    bool on = false;
    std::string label;
    TColor tint = clBlack;
    TShade shade = shLight;
    TGadget* partner = nullptr;
    std::string data;
};

// Something in front of TComponent, so that the component part of a TMixed does not start where
// the object does, and accessors that are member functions of a base class and of the class.
struct TMixIn {
    virtual ~TMixIn() = default;
    int padding[3] = {1, 2, 3};
};
class TMixedBase : public TMixIn, public TComponent {
public:
    explicit TMixedBase(TComponent* owner) : TComponent(owner) {}
    int Level() const { return level_; }
    void SetLevel(int value) { level_ = value; }

private:
    int level_ = 0;
};
class TMixed : public TMixedBase {
public:
    explicit TMixed(TComponent* owner) : TMixedBase(owner) {}
    static const TClassInfo& StaticClassInfo()
    {
        static const TClassInfo info("TMixed", &TComponent::StaticClassInfo(), nullptr, [](TClassInfo& c) {
            TPublisher<TMixed>(c)
                .Integer("Level", &TMixed::Level, &TMixed::SetLevel)
                .String("Title", &TMixed::Title, &TMixed::SetTitle)
                .Enum<TShade>("Shade", {"shLight", "shDark"}, &TMixed::Shade, &TMixed::SetShade);
        });
        return info;
    }
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& value) { title_ = value; }
    TShade Shade() const { return shade_; }
    void SetShade(TShade value) { shade_ = value; }

private:
    std::string title_;
    TShade shade_ = shLight;
};

}  // namespace

TEST(ClassInfo, TypedValuesGoThroughTheSettersByName)
{
    TGadget g(nullptr);
    SetOrdProp(g, "size", 12);
    SetPropValue(g, "On", TPropertyValue::Boolean(true));
    SetStrProp(g, "Label", "标签");
    SetPropValue(g, "Tint", TPropertyValue::Enum("clRed"));  // a colour by its name
    SetEnumProp(g, "Shade", "SHDARK");
    EXPECT_EQ(g.size, 12);
    EXPECT_TRUE(g.on);
    EXPECT_EQ(g.label, "标签");
    EXPECT_EQ(g.tint, clRed);
    EXPECT_EQ(g.shade, shDark);
    EXPECT_EQ(GetEnumProp(g, "Shade"), "shDark");
    EXPECT_EQ(GetOrdProp(g, "Shade"), 1);
    EXPECT_EQ(GetStrProp(g, "label"), "标签");
    EXPECT_EQ(GetOrdProp(g, "On"), 1);
}

TEST(ClassInfo, MemberFunctionsReachTheirObjectWhereverItsComponentPartLies)
{
    TMixed m(nullptr);
    TMixed other(nullptr);
    SetOrdProp(m, "Level", 5);
    SetStrProp(m, "Title", "标题");
    SetEnumProp(m, "Shade", "shDark");
    EXPECT_EQ(m.Level(), 5);
    EXPECT_EQ(m.Title(), "标题");
    EXPECT_EQ(m.Shade(), shDark);
    EXPECT_EQ(GetOrdProp(m, "Level"), 5);
    EXPECT_EQ(GetStrProp(m, "Title"), "标题");
    EXPECT_EQ(GetEnumProp(m, "Shade"), "shDark");
    EXPECT_EQ(m.padding[0] + m.padding[1] + m.padding[2], 6);
    EXPECT_EQ(GetOrdProp(other, "Level"), 0);
    EXPECT_EQ(GetStrProp(other, "Title"), "");
}

TEST(ClassInfo, AMissingPropertyRaisesTheToolkitsPropertyError)
{
    TGadget g(nullptr);
    EXPECT_FALSE(IsPublishedProp(g, "FileTheme"));
    try {
        SetObjectProp(g, "FileTheme", nullptr);
        FAIL();
    } catch (const EPropertyError& e) {
        EXPECT_STREQ(e.what(), "属性 FileTheme 不存在");
    }
    EXPECT_THROW(GetPropValue(g, "UIStyle"), EPropertyError);
}

TEST(ClassInfo, WrongKindsAndUnknownNamesAreRefused)
{
    TGadget g(nullptr);
    EXPECT_THROW(SetEnumProp(g, "Shade", "shMedium"), EPropertyError);
    EXPECT_THROW(SetPropValue(g, "Size", TPropertyValue::String("12")), EPropertyError);
    EXPECT_THROW(SetPropValue(g, "Tint", TPropertyValue::Enum("clPlaid")), EPropertyError);
    EXPECT_THROW(SetEnumProp(g, "Size", "x"), EPropertyError);
    EXPECT_EQ(g.shade, shLight);
    // A reference to a component of another class is not taken.
    TComponent stranger(nullptr);
    EXPECT_THROW(SetObjectProp(g, "Partner", &stranger), EPropertyError);
    TGadget partner(nullptr);
    SetObjectProp(g, "Partner", &partner);
    EXPECT_EQ(GetObjectProp(g, "Partner"), &partner);
    SetObjectProp(g, "Partner", nullptr);
    EXPECT_EQ(g.partner, nullptr);
}

TEST(ClassInfo, ReadOnlyAndWriteOnlyProperties)
{
    TGadget g(nullptr);
    EXPECT_EQ(GetOrdProp(g, "Fixed"), 7);
    EXPECT_THROW(SetOrdProp(g, "Fixed", 1), EPropertyError);
    SetPropValue(g, "Data", TPropertyValue::Binary("\x01\x02"));
    EXPECT_EQ(g.data, "\x01\x02");
    EXPECT_THROW(GetPropValue(g, "Data"), EPropertyError);
}

TEST(ClassInfo, PropertiesAreInheritedAndClassesKnowTheirAncestors)
{
    TLabel label(nullptr);
    EXPECT_TRUE(IsPublishedProp(label, "WordWrap"));
    EXPECT_TRUE(IsPublishedProp(label, "Left"));      // from TControl
    EXPECT_TRUE(IsPublishedProp(label, "name"));      // from TComponent, any case
    EXPECT_FALSE(IsPublishedProp(label, "TabOrder"));  // a windowed control's
    EXPECT_EQ(label.ClassName(), "TLabel");
    EXPECT_TRUE(label.ClassInfo().InheritsFrom("TGraphicControl"));
    EXPECT_FALSE(label.ClassInfo().InheritsFrom("TWinControl"));
    SetEnumProp(label, "Align", "alClient");
    EXPECT_EQ(label.Align(), alClient);
    SetPropValue(label, "Anchors", TPropertyValue::Set({"akLeft", "akBottom"}));
    EXPECT_EQ(label.Anchors(), unsigned(akLeft | akBottom));
    EXPECT_EQ(GetPropValue(label, "Anchors").AsNames(), (std::vector<std::string>{"akLeft", "akBottom"}));
}

TEST(ClassInfo, TheStandardClassesCanBeFoundAndCreatedByName)
{
    TComponent owner(nullptr);
    RegisterStandardClasses();
    ASSERT_NE(FindClass("tmemo"), nullptr);
    TComponent* memo = FindClass("TMemo")->Create(&owner);
    EXPECT_NE(dynamic_cast<TMemo*>(memo), nullptr);
    EXPECT_EQ(FindClass("TNoSuchThing"), nullptr);
    EXPECT_THROW(TControl::StaticClassInfo().Create(&owner), EClassNotFound);  // abstract
}
