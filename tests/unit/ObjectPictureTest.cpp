#include "TestGame.h"

namespace Velmora::Testing {
namespace {

class ObjectPictureTest : public WorldTest {};

// Obj_SetSprite swaps the picture an object draws; its animation must follow the new
// picture (never point into the old one's cells) and start over.
TEST_F(ObjectPictureTest, SetSpriteShowsTheNewPictureAndRestartsItsAnimation) {
    ASSERT_TRUE(WritePng("a.png", 16, 8));
    ASSERT_TRUE(WritePng("b.png", 16, 8));
    RunLua(
        "Res_AddAniSprite('a', 'a.png', 8, 8, 2, 1) Res_AddAni('a', 'Spin', 2, '0,1,')\n"
        "Res_AddAniSprite('b', 'b.png', 8, 8, 2, 1) Res_AddAni('b', 'Spin', 2, '0,1,')\n"
        "Res_AddAniSprite('c', 'a.png', 8, 8, 2, 1)");
    Object("plain/o", "{ Sprite = 'a' }");
    Enter("s", "o = Stage_AddObject('o', 'plain/o') Obj_PlayAni(o, 'Spin', true)");
    BaseObject* o = Handle("o");
    world().FrameTime = 0.25f;
    auto shown = [&] {
        stage()->Draw();
        const Platform::RecordedDraw& draw = device().CurrentFrame().back();
        return *draw.TextureFile + "@" + std::to_string(draw.U[0]);
    };
    shown();
    shown();
    EXPECT_EQ("a.png@0.500000", shown());

    RunLua("Obj_SetSprite(o, 'b')");
    EXPECT_EQ(engine().Resources().GetSprite("b")->GetAnimation("Spin"), o->CurAni);
    EXPECT_EQ("b.png@0.000000", shown());
    // A picture without the animation shows its first cell, still.
    RunLua("Obj_SetSprite(o, 'c')");
    EXPECT_EQ(nullptr, o->CurAni);
    EXPECT_EQ("a.png@0.000000", shown());
    // An undeclared name shows nothing, as an undeclared Info.Sprite does; other
    // handles and missing names change nothing.
    const std::size_t before = device().CurrentFrame().size();
    RunLua("Obj_SetSprite(o, 'never declared') Obj_SetSprite(nil, 'a') Obj_SetSprite({}, 'a')");
    stage()->Draw();
    EXPECT_EQ(before, device().CurrentFrame().size());
}

}  // namespace
}  // namespace Velmora::Testing
