// The camera and the held-key state of the two 3D views, without any window: which inputs are
// held, how each frame turns the world and moves the eye, and the matrices that follow.
// Conventions: left-handed world (x right, y up, z into the screen), column vectors,
// matrices stored column by column as OpenGL takes them, clip depth −1 (near) … +1 (far).
#pragma once

#include <array>
#include <bitset>

struct Vec3
{
    double x = 0, y = 0, z = 0;
};

// 4 × 4, element (row r, column c) at m[c * 4 + r].
struct Mat4
{
    std::array<double, 16> m{};
    static Mat4 identity();
    double at(int row, int column) const { return m[static_cast<std::size_t>(column * 4 + row)]; }
    double& at(int row, int column) { return m[static_cast<std::size_t>(column * 4 + row)]; }
    friend Mat4 operator*(const Mat4& a, const Mat4& b);
    // The point p (w = 1) transformed and divided by w.
    Vec3 transformPoint(const Vec3& p) const;
};

// Rotations by an angle in degrees; positive turns y toward z (about x), z toward x (about y),
// x toward y (about z).
Mat4 RotationX(double degrees);
Mat4 RotationY(double degrees);
Mat4 RotationZ(double degrees);
// Left-handed perspective: vertical field of view fovY (radians), aspect = width/height; a point at
// distance zn in front of the eye gets depth −1, one at zf gets +1.
Mat4 PerspectiveFovLH(double fovY, double aspect, double zn, double zf);
// Left-handed view matrix: the eye at eye looking at target, up the given direction.
Mat4 LookAtLH(const Vec3& eye, const Vec3& target, const Vec3& up);

// The inputs of the 3D views. Keys keep their names; the meaning is the camera's:
// O/P, K/L, M/N turn the world about x, y, z (−/+); X/C, V/B, G/H shift the eye along x, y, z;
// the keypad arrows shift it along x and y ("Verschiebung"); the arrows move it forward/back
// and turn it left/right ("Bewegung"); keypad 7/9 roll; Plus/Minus zoom.
enum class Key3D {
    O, P, K, L, M, N,
    X, C, V, B, G, H,
    NumLeft, NumRight, NumUp, NumDown,
    Left, Right, Up, Down,
    Num7, Num9, Plus, Minus,
    Count
};

// Which inputs are held: by keys (until released), by buttons and mouse drags (for one frame).
class KeyState3D
{
public:
    void press(Key3D key);         // key down
    void release(Key3D key);       // key up
    void pressOneFrame(Key3D key); // a button of the bar or a drag step: held for the next frame only
    void releaseAll();             // a mouse button released: nothing is held any more
    bool held(Key3D key) const;
    bool any() const;
    // After a frame has moved the camera: the one-frame inputs are over.
    void endFrame();
    // Dragging by (dx, dy) pixels holds, for one frame, the keypad arrows (left button:
    // "Verschiebung") or the arrows (right button: "Bewegung") of the drag's signs.
    void drag(int dx, int dy, bool bRightButton);

private:
    std::bitset<static_cast<std::size_t>(Key3D::Count)> m_held, m_oneFrame;
};

class Camera3D
{
public:
    static constexpr double kRotationStep = 3.0;   // degrees per frame while a rotation input is held
    static constexpr double kVelocityKeep = 0.9;   // v ← 0.9·v + 0.1·input per frame
    static constexpr double kStepPerFrame = 0.1;   // world units per frame at velocity 1 …
    static constexpr double kFrameSeconds = 1.0 / 60.0; // … for a frame of this length

    // The eye starts at eye looking at target (what "Reset" restores).
    Camera3D(const Vec3& eye = {0, 0, -5}, const Vec3& target = {0, 0, 0});

    // One frame: turns the world 3 degrees about each axis whose rotation input is held, updates
    // the velocities from the inputs and moves the eye by 0.1·v·(elapsed/kFrameSeconds).
    void advance(const KeyState3D& keys, double elapsedSeconds);
    // One frame of the wheel: rotation about z, with Shift about x, with Ctrl about y, by 3 degrees
    // per notch in the notch's direction.
    void wheel(int notches, bool bShift, bool bCtrl);
    void reset();
    // Still moving though no input is held (velocities not yet decayed).
    bool moving() const;

    double angleX() const { return m_ax; }
    double angleY() const { return m_ay; }
    double angleZ() const { return m_az; }
    Vec3 eye() const { return m_eye; }
    Vec3 target() const { return m_target; }
    double zoom() const { return m_zoom; }

    // Rotation about x, then y, then z by the three angles, scaled by the zoom.
    Mat4 world() const;
    Mat4 view() const;
    // Field of view π/3, near 0.1, far 100.
    static Mat4 projection(double aspect);

private:
    Vec3 m_startEye, m_startTarget;
    Vec3 m_eye, m_target;
    double m_ax = 0, m_ay = 0, m_az = 0;
    double m_zoom = 1.0;
    double m_roll = 0;          // degrees about the viewing direction
    Vec3 m_shiftVelocity;       // x, y, z shifts of eye and target together
    double m_forwardVelocity = 0, m_turnVelocity = 0, m_rollVelocity = 0, m_zoomVelocity = 0;
};
