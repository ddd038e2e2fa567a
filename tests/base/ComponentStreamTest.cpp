#include <gtest/gtest.h>

#include <cmath>

#include "TestClasses.h"
#include "base/ComponentStream.h"
#include "base/Exception.h"
#include "base/Stream.h"

using namespace lindora;
using namespace lindora::test;

TEST(ComponentStream, ValuesRoundTrip) {
    MemoryStream stream;
    StreamWriter w(stream);
    w.writeListBegin();
    for (std::int64_t v : {0LL, -1LL, 127LL, -129LL, 70000LL, -5000000000LL}) w.writeInteger(v);
    w.writeFloat(0.1);
    w.writeString("it's");
    w.writeString("");
    w.writeIdent("dsTop");
    w.writeBoolean(true);
    w.writeSet({"dsLeft", "dsTop"});
    w.writeBinary(std::vector<std::uint8_t>{1, 2, 3});
    w.writeNil();
    w.writeListEnd();

    stream.setPosition(0);
    StreamReader r(stream);
    r.readListBegin();
    for (std::int64_t v : {0LL, -1LL, 127LL, -129LL, 70000LL, -5000000000LL}) EXPECT_EQ(r.readInteger(), v);
    EXPECT_EQ(r.readFloat(), 0.1);
    EXPECT_EQ(r.readString(), "it's");
    EXPECT_EQ(r.readString(), "");
    EXPECT_EQ(r.readIdent(), "dsTop");
    EXPECT_TRUE(r.readBoolean());
    EXPECT_EQ(r.readSet(), (std::vector<std::string>{"dsLeft", "dsTop"}));
    EXPECT_EQ(r.readBinary(), (std::vector<std::uint8_t>{1, 2, 3}));
    EXPECT_EQ(r.nextValue(), ValueType::Nil);
    r.skipValue();
    EXPECT_TRUE(r.endOfList());
    r.readListEnd();
    EXPECT_EQ(stream.remaining(), 0);
}

TEST(ComponentStream, CollectionWithReferencesRoundTrips) {
    TestForm form;
    form.setName("Form1");
    auto* a = new Widget(&form);
    a->setName("btnA");
    auto* b = new Widget(&form);
    b->setName("btnB");
    auto* row = dynamic_cast<Row*>(a->rows().add());
    row->setCaption("Main");
    dynamic_cast<Link*>(row->links().add())->setTarget(b);
    auto* second = dynamic_cast<Link*>(row->links().add());
    second->setTarget(a);
    second->setBeginGroup(true);

    MemoryStream stream;
    StreamWriter writer(stream, &form);
    writer.writeCollection(a->rows());

    stream.setPosition(0);
    EXPECT_EQ(stream.bytes()[0], 14);  // the collection marker
    StreamReader reader(stream, &form);
    reader.readCollection(b->rows());  // resolves its references before returning
    ASSERT_EQ(b->rows().count(), 1);
    auto* copy = dynamic_cast<Row*>(b->rows().item(0));
    EXPECT_EQ(copy->caption(), "Main");
    ASSERT_EQ(copy->links().count(), 2);
    EXPECT_EQ(dynamic_cast<Link*>(copy->links().item(0))->target(), b);
    EXPECT_EQ(dynamic_cast<Link*>(copy->links().item(1))->target(), a);
    EXPECT_TRUE(dynamic_cast<Link*>(copy->links().item(1))->beginGroup());

    // Without its marker, as the settings store keeps it; a name that is gone is an error.
    b->setName("btnGone");
    MemoryStream items(std::vector<std::uint8_t>(stream.bytes().begin() + 1, stream.bytes().end()));
    StreamReader again(items, &form);
    EXPECT_THROW(again.readCollectionItems(a->rows()), EReadError);
}

TEST(ComponentStream, TruncatedOrCorruptDataFailsWithTheOffset) {
    MemoryStream good;
    StreamWriter w(good);
    w.writeListBegin();
    w.writeString("hello");
    w.writeListEnd();
    const auto& bytes = good.bytes();
    for (std::size_t cut = 0; cut < bytes.size(); ++cut) {
        MemoryStream partial(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + static_cast<long>(cut)));
        StreamReader r(partial);
        EXPECT_THROW(
            {
                r.readListBegin();
                while (!r.endOfList()) r.skipValue();
                r.readListEnd();
            },
            EReadError)
            << cut;
    }
    MemoryStream bad(std::vector<std::uint8_t>{1, 99});
    StreamReader r(bad);
    r.readListBegin();
    try {
        r.skipValue();
        FAIL();
    } catch (const EReadError& e) {
        EXPECT_STREQ(e.what(), "offset 1: invalid value tag 99");
    }
}
