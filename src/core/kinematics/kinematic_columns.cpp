#include "kinematics/kinematic_columns.h"

#include <charconv>
#include <cmath>

namespace gyrenda {
namespace {

using Q = KinematicQuantity;

std::optional<double> fourBarValue(const FourBarPose& p, Q q) {
  switch (q) {
    case Q::LeverAngle: return p.leverAngle;
    case Q::TransmissionAngle: return p.transmissionAngle;
    case Q::OutputX: return p.output.x;
    case Q::OutputY: return p.output.y;
    default: break;
  }
  if (!p.rates) return std::nullopt;
  const FourBarRates& r = *p.rates;
  switch (q) {
    case Q::LeverAngularVelocity: return r.lever.velocity;
    case Q::LeverAngularAcceleration: return r.lever.acceleration;
    case Q::OutputVelocityX: return r.output.velocity.x;
    case Q::OutputVelocityY: return r.output.velocity.y;
    case Q::OutputSpeed: return r.output.velocity.norm();
    case Q::OutputAccelerationX: return r.output.acceleration.x;
    case Q::OutputAccelerationY: return r.output.acceleration.y;
    case Q::OutputAccelerationSize: return r.output.acceleration.norm();
    default: return std::nullopt;
  }
}

std::optional<double> sixBarValue(const SixBarPose& p, Q q) {
  switch (q) {
    case Q::SixOutputX: return p.output.x;
    case Q::SixOutputY: return p.output.y;
    case Q::SliderPosition: return p.sliderPosition;
    default: break;
  }
  if (!p.rates) return std::nullopt;
  const SixBarRates& r = *p.rates;
  switch (q) {
    case Q::SixOutputVelocityX: return r.output.velocity.x;
    case Q::SixOutputVelocityY: return r.output.velocity.y;
    case Q::SixOutputAccelerationX: return r.output.acceleration.x;
    case Q::SixOutputAccelerationY: return r.output.acceleration.y;
    case Q::SliderVelocity: return r.sliderVelocity;
    case Q::SliderAcceleration: return r.sliderAcceleration;
    case Q::InputTorquePerNewton: return r.torquePerNewton;
    default: return std::nullopt;
  }
}

bool isSixBarQuantity(Q q) { return q >= Q::SixOutputX; }

void appendNumber(std::string& out, double v) {
  char text[40];
  const auto end = std::to_chars(text, text + sizeof text, v, std::chars_format::general, 12).ptr;
  out.append(text, end);
}

}  // namespace

const std::vector<KinematicColumn>& kinematicColumns() {
  static const std::vector<KinematicColumn> columns{
      {Q::LeverAngle, "leverAngle"},
      {Q::LeverAngularVelocity, "leverAngularVelocity"},
      {Q::LeverAngularAcceleration, "leverAngularAcceleration"},
      {Q::TransmissionAngle, "transmissionAngle"},
      {Q::OutputX, "outputX"},
      {Q::OutputY, "outputY"},
      {Q::OutputVelocityX, "outputVelocityX"},
      {Q::OutputVelocityY, "outputVelocityY"},
      {Q::OutputSpeed, "outputSpeed"},
      {Q::OutputAccelerationX, "outputAccelerationX"},
      {Q::OutputAccelerationY, "outputAccelerationY"},
      {Q::OutputAccelerationSize, "outputAcceleration"},
      {Q::SixOutputX, "sixOutputX"},
      {Q::SixOutputY, "sixOutputY"},
      {Q::SixOutputVelocityX, "sixOutputVelocityX"},
      {Q::SixOutputVelocityY, "sixOutputVelocityY"},
      {Q::SixOutputAccelerationX, "sixOutputAccelerationX"},
      {Q::SixOutputAccelerationY, "sixOutputAccelerationY"},
      {Q::SliderPosition, "sliderPosition"},
      {Q::SliderVelocity, "sliderVelocity"},
      {Q::SliderAcceleration, "sliderAcceleration"},
      {Q::InputTorquePerNewton, "inputTorquePerNewton"},
  };
  return columns;
}

std::optional<double> quantityAt(const ExactPose& pose, KinematicQuantity q) {
  std::optional<double> v;
  if (isSixBarQuantity(q)) {
    if (pose.sixBar) v = sixBarValue(*pose.sixBar, q);
  } else if (pose.fourBar) {
    v = fourBarValue(*pose.fourBar, q);
  }
  // Nothing that is not finite leaves here, whatever the geometry did.
  if (v && !std::isfinite(*v)) v.reset();
  return v;
}

std::string kinematicsCsv(const KinematicCurves& curves) {
  std::string csv = "crankAngle";
  for (const KinematicColumn& c : kinematicColumns()) {
    csv += ',';
    csv += c.name;
  }
  csv += '\n';
  for (const ExactPose& pose : curves.samples) {
    appendNumber(csv, pose.crankAngle);
    for (const KinematicColumn& c : kinematicColumns()) {
      csv += ',';
      if (const auto v = quantityAt(pose, c.quantity)) appendNumber(csv, *v);
    }
    csv += '\n';
  }
  return csv;
}

}  // namespace gyrenda
