#pragma once
// The vocabulary of the event scripts: operand methods, operators and effect methods,
// each with the parameters it requires.
#include <span>
#include <string_view>

#include "events/events.h"

using EventOperandResolver = double (*)(const cEventOperand& operand);

struct sOperandMethod
{
    const wchar_t* name;
    int requiredParams;
    EventOperandResolver resolve;
};

struct sEffectMethod
{
    const wchar_t* name;
    int requiredParams;
    int requiredTexts;
    // What firing the effect does.
    EventEffectExecutor execute = nullptr;
};

// The 53 operand methods, in the order validation compares them.
std::span<const sOperandMethod> OperandMethods();
// The 6 operators.
std::span<const wchar_t* const> OperatorNames();
// The 109 effect methods, in the order validation compares them.
std::span<const sEffectMethod> EffectMethods();

// Whole, exact, case-sensitive look-ups; null when the name is unknown.
const sOperandMethod* FindOperandMethod(std::wstring_view name);
const sEffectMethod* FindEffectMethod(std::wstring_view name);
