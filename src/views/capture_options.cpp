#include "views/capture_options.h"

namespace mrv {

CaptureOptions CaptureOptionsFrom(const MonitorOptions& monitor) {
  CaptureOptions options;
  options.Monitor = true;
  options.cheadshot = monitor.headshot_sound;
  options.ccyclic = monitor.cyclic;
  options.SETime = monitor.time;
  options.cautokill = monitor.onfrag;
  options.cautodie = monitor.ondeath;
  options.crandom = monitor.random;
  options.ccyclich = monitor.cyclich;
  options.SETimeh = monitor.timeh;
  options.cautokillh = monitor.onfragh;
  options.cautodieh = monitor.ondeathh;
  options.crandomh = monitor.randomh;
  return options;
}

}  // namespace mrv
