#include "core/common/DdsFile.h"
#include "core/spectral/Camera3D.h"

#include "CliRunner.h"

#include <cmath>
#include <cstdio>
#include <string>

#include <gtest/gtest.h>

namespace {

void ExpectNear(const Vec3& got, const Vec3& want, const std::string& what)
{
    EXPECT_NEAR(got.x, want.x, 1e-9) << what;
    EXPECT_NEAR(got.y, want.y, 1e-9) << what;
    EXPECT_NEAR(got.z, want.z, 1e-9) << what;
}

// n frames of 1/60 s with the keys as they are; one-frame inputs end after each.
void Frames(Camera3D& camera, KeyState3D& keys, int n)
{
    for (int i = 0; i < n; ++i) {
        camera.advance(keys, Camera3D::kFrameSeconds);
        keys.endFrame();
    }
}

} // namespace

TEST(Camera3D, RotationsTurnTheAxesTheWayTheirNamesSay)
{
    struct Case { Mat4 m; Vec3 in, out; const char* what; };
    const Case cases[] = {{RotationX(90), {0, 1, 0}, {0, 0, 1}, "x: y to z"},
                          {RotationY(90), {0, 0, 1}, {1, 0, 0}, "y: z to x"},
                          {RotationZ(90), {1, 0, 0}, {0, 1, 0}, "z: x to y"},
                          {RotationZ(-90), {1, 0, 0}, {0, -1, 0}, "z back"},
                          {RotationX(180), {0, 1, 0}, {0, -1, 0}, "x half turn"}};
    for (const Case& c : cases)
        ExpectNear(c.m.transformPoint(c.in), c.out, c.what);
}

TEST(Camera3D, HeldRotationKeysTurnThreeDegreesPerFrameXFirstThenZ)
{
    Camera3D camera;
    KeyState3D keys;
    keys.press(Key3D::P);
    keys.press(Key3D::N);
    Frames(camera, keys, 30);
    EXPECT_DOUBLE_EQ(camera.angleX(), 90.0);
    EXPECT_DOUBLE_EQ(camera.angleZ(), 90.0);
    // x first: y goes to z, which the turn about z leaves; the other order would give −x.
    ExpectNear(camera.world().transformPoint({0, 1, 0}), {0, 0, 1}, "world");
    keys.release(Key3D::P);
    keys.release(Key3D::N);
    keys.pressOneFrame(Key3D::K); // a button of the bar
    Frames(camera, keys, 3);
    EXPECT_DOUBLE_EQ(camera.angleY(), -3.0);
    EXPECT_DOUBLE_EQ(camera.angleX(), 90.0);
    camera.wheel(2, true, false);
    camera.wheel(-1, false, true);
    camera.wheel(1, false, false);
    EXPECT_DOUBLE_EQ(camera.angleX(), 96.0);
    EXPECT_DOUBLE_EQ(camera.angleY(), -6.0);
    EXPECT_DOUBLE_EQ(camera.angleZ(), 93.0);
}

TEST(Camera3D, MovementFollowsTheSmoothedVelocityAndDecaysAfterRelease)
{
    Camera3D camera({0, 0, -5}, {0, 0, 0});
    KeyState3D keys;
    keys.press(Key3D::Up); // forward, double strength: v1 = 0.2, v2 = 0.38
    Frames(camera, keys, 1);
    EXPECT_NEAR(camera.eye().z, -5.0 + 0.02, 1e-12);
    Frames(camera, keys, 1);
    EXPECT_NEAR(camera.eye().z, -5.0 + 0.02 + 0.038, 1e-12);
    // Twice the elapsed time moves twice as far for the same velocity.
    Camera3D slow({0, 0, -5}, {0, 0, 0});
    slow.advance(keys, 2 * Camera3D::kFrameSeconds);
    EXPECT_NEAR(slow.eye().z, -5.0 + 0.04, 1e-12);

    keys.release(Key3D::Up);
    EXPECT_TRUE(camera.moving());
    Frames(camera, keys, 200);
    EXPECT_FALSE(camera.moving());
    EXPECT_GT(camera.eye().z, -5.0 + 0.058);
    camera.reset();
    ExpectNear(camera.eye(), {0, 0, -5}, "reset");
}

TEST(Camera3D, ShiftTurnAndForwardGoTheEyesOwnWays)
{
    struct Case { Key3D key; Vec3 eye, target; const char* what; };
    // One frame: v = 0.1, step 0.1, 10° per unit: 0.1°.
    const double a = 0.1 * M_PI / 180.0;
    const Case cases[] = {
        {Key3D::C, {0.01, 0, -5}, {0.01, 0, 0}, "shift right: eye and target together"},
        {Key3D::B, {0, 0.01, -5}, {0, 0.01, 0}, "shift up"},
        {Key3D::Right, {0, 0, -5}, {5 * std::sin(a), 0, -5 + 5 * std::cos(a)}, "turn right about the eye"},
    };
    for (const Case& c : cases) {
        Camera3D camera({0, 0, -5}, {0, 0, 0});
        KeyState3D keys;
        keys.pressOneFrame(c.key);
        Frames(camera, keys, 1);
        ExpectNear(camera.eye(), c.eye, c.what);
        ExpectNear(camera.target(), c.target, c.what);
    }
    // Forward goes along the line of sight, also when it is not an axis: 0.02 towards the target.
    Camera3D oblique({3, 0, -4}, {0, 0, 0});
    KeyState3D keys;
    keys.pressOneFrame(Key3D::Up);
    Frames(oblique, keys, 1);
    ExpectNear(oblique.eye(), {3 - 0.012, 0, -4 + 0.016}, "forward");
}

TEST(Camera3D, DragsHoldTheirDirectionForOneFrameAndReleaseClearsAll)
{
    KeyState3D keys;
    keys.drag(-4, 3, false);
    EXPECT_TRUE(keys.held(Key3D::NumLeft));
    EXPECT_TRUE(keys.held(Key3D::NumDown));
    EXPECT_FALSE(keys.held(Key3D::Left));
    keys.endFrame();
    EXPECT_FALSE(keys.any());
    keys.drag(5, 0, true);
    EXPECT_TRUE(keys.held(Key3D::Right));
    EXPECT_FALSE(keys.held(Key3D::Up));
    keys.press(Key3D::G);
    keys.endFrame();
    EXPECT_TRUE(keys.held(Key3D::G));
    keys.releaseAll();
    EXPECT_FALSE(keys.any());
}

TEST(Camera3D, ProjectionMapsNearFarAndTheFieldOfView)
{
    const Mat4 p = Camera3D::projection(2.0);
    const double t = std::tan(M_PI / 6); // half of the 60° field of view
    EXPECT_NEAR(p.transformPoint({0, 0, 0.1}).z, -1.0, 1e-9);
    EXPECT_NEAR(p.transformPoint({0, 0, 100}).z, 1.0, 1e-9);
    EXPECT_NEAR(p.transformPoint({0, 3 * t, 3}).y, 1.0, 1e-9);
    EXPECT_NEAR(p.transformPoint({2 * 3 * t, 0, 3}).x, 1.0, 1e-9); // aspect 2: twice as wide
    // Left-handed: the eye at −5 looking at the origin keeps x to the right, z ahead.
    const Mat4 v = LookAtLH({0, 0, -5}, {0, 0, 0}, {0, 1, 0});
    ExpectNear(v.transformPoint({1, 2, 0}), {1, 2, 5}, "view");
}

TEST(DdsFile, HeaderAndPixelsAsAnIndependentReaderSeesThem)
{
    const std::string path = ::testing::TempDir() + "resoni-test.dds";
    ASSERT_TRUE(WriteDdsFile(path, 3, 2, {0xff102030u, 0xff405060u, 0xff708090u, 0xffa0b0c0u, 0xffd0e0f0u,
                                          0x00010203u}));
    const CliResult r = runProgram("python3", {"-c", R"PY(
import struct, sys
d = open(sys.argv[1], 'rb').read()
assert d[:4] == b'DDS ', d[:4]
size, flags, h, w, pitch = struct.unpack_from('<5I', d, 4)
pf_size, pf_flags, fourcc, bits, rm, gm, bm, am = struct.unpack_from('<8I', d, 76)
caps = struct.unpack_from('<I', d, 108)[0]
px = struct.unpack_from('<6I', d, 128)
print(len(d), size, hex(flags), w, h, pitch, pf_size, hex(pf_flags), fourcc, bits, hex(rm), hex(gm), hex(bm), am, hex(caps))
print(' '.join('%06x' % p for p in px))
)PY", path});
    std::remove(path.c_str());
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "152 124 0x100f 3 2 12 32 0x40 0 32 0xff0000 0xff00 0xff 0 0x1000\n"
                     "102030 405060 708090 a0b0c0 d0e0f0 010203\n");
}
