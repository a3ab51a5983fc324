#pragma once

// The window's buttons that speak to the bell or show its state.
enum class BellButton
{
    Reset,
    Mode1,
    Mode2,
    Mode3,
    Tone1,
    Tone2,
};
