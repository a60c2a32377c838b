#include "engine/debug/DapSession.h"

#include <cstdio>
#include <filesystem>

#include "engine/debug/DebugRun.h"
#include "platform/TextConvert.h"

namespace quillet::engine::debug {

using nlohmann::json;

namespace {

constexpr int kThreadId = 1;

std::string Utf8(std::u16string_view text) { return platform::Utf16ToUtf8(text); }
std::u16string Utf16(const std::string& text) { return platform::Utf8ToUtf16(text); }

const char* ReasonName(EStopReason reason) {
  switch (reason) {
    case EStopReason::Entry: return "entry";
    case EStopReason::Step: return "step";
    case EStopReason::Breakpoint: return "breakpoint";
    case EStopReason::Pause: return "pause";
    case EStopReason::Exception: return "exception";
    case EStopReason::StopStatement: return "breakpoint";
  }
  return "step";
}

// The automation status code of a script error number, as Windows shows it (800A000B).
std::string StatusCode(int number) {
  char text[16];
  std::snprintf(text, sizeof text, "%X", 0x800A0000u | (static_cast<unsigned>(number) & 0xFFFFu));
  return text;
}

// A field of a request's arguments, or fallback when absent or of another type.
template <typename T>
T Field(const json& args, const char* name, T fallback) {
  if (!args.is_object()) return fallback;
  auto it = args.find(name);
  if (it == args.end()) return fallback;
  if constexpr (std::is_same_v<T, bool>) {
    return it->is_boolean() ? it->template get<bool>() : fallback;
  } else if constexpr (std::is_same_v<T, std::string>) {
    return it->is_string() ? it->template get<std::string>() : fallback;
  } else {
    return it->is_number_integer() ? it->template get<T>() : fallback;
  }
}

json VariableJson(const SVariableView& view) {
  json variable{{"name", Utf8(view.name)},
                {"value", Utf8(view.value)},
                {"type", Utf8(view.type)},
                {"variablesReference", view.reference}};
  if (view.indexedCount != 0) variable["indexedVariables"] = view.indexedCount;
  return variable;
}

std::string SameFile(const std::string& path) {
  std::error_code ec;
  const std::filesystem::path canonical = std::filesystem::weakly_canonical(path, ec);
  return ec ? path : canonical.string();
}

}  // namespace

CDapSession::CDapSession(dap::CDapMessageWriter& writer) : m_writer(writer) {}

// A script attached to belongs to its host, which ends it; a launched one ends with the session.
CDapSession::~CDapSession() {
  if (m_launched) (void)EndScript(2000);
}

void CDapSession::Respond(const json& request, bool success, json body, const std::string& message) {
  const auto seq = request.find("seq");
  const auto command = request.find("command");
  json response{{"type", "response"},
                {"request_seq", seq != request.end() && seq->is_number_integer() ? seq->get<int64_t>() : 0},
                {"success", success},
                {"command", command != request.end() && command->is_string() ? command->get<std::string>() : ""}};
  if (!success) {
    response["message"] = message;
    response["body"] = json{{"error", json{{"id", 1}, {"format", message}, {"showUser", true}}}};
  } else if (!body.empty()) {
    response["body"] = std::move(body);
  }
  (void)m_writer.Send(std::move(response));
}

void CDapSession::SendEvent(const std::string& name, json body) {
  json event{{"type", "event"}, {"event", name}};
  if (!body.empty()) event["body"] = std::move(body);
  (void)m_writer.Send(std::move(event));
}

void CDapSession::SendOutput(std::string_view category, std::string_view text) {
  SendEvent("output", json{{"category", std::string(category)}, {"output", std::string(text)}});
}

void CDapSession::Handle(const json& message) {
  if (message.value("type", std::string()) != "request") return;
  const auto command = message.find("command");
  if (command == message.end() || !command->is_string()) {
    Respond(message, false, {}, "The request names no command.");
    return;
  }
  const auto args = message.find("arguments");
  const json noArguments = json::object();
  try {
    Dispatch(command->get<std::string>(), message, args != message.end() && args->is_object() ? *args : noArguments);
  } catch (const std::exception& failure) {
    // Arguments of unexpected shapes end in an answer, never in the adapter's end.
    Respond(message, false, {}, std::string("The request could not be handled: ") + failure.what());
  }
}

void CDapSession::Dispatch(const std::string& command, const json& request, const json& args) {
  if (command == "initialize") return Initialize(request);
  if (command == "launch") return Launch(request, args);
  if (command == "disconnect") {
    (void)EndScript(2000);
    m_disconnected = true;
    return Respond(request, true);
  }
  if (command == "threads") {
    return Respond(request, true, json{{"threads", json::array({json{{"id", kThreadId}, {"name", "Script"}}})}});
  }
  if (command == "attach") {
    if (m_target == nullptr || m_launched) return Respond(request, false, {}, "There is no script to attach to.");
    // The editor decides at the first statement whether to stay (its first-step rule), so an
    // attached script stops there unless told otherwise.
    if (Field(args, "stopOnEntry", true)) m_target->Debugger().StopOnEntry();
    Respond(request, true);
    SendEvent("initialized");
    return;
  }
  if (m_target == nullptr) return Respond(request, false, {}, "No script has been launched.");
  if (command == "setBreakpoints") return SetBreakpoints(request, args);
  if (command == "breakpointLocations") return BreakpointLocations(request, args);
  if (command == "setExceptionBreakpoints") return Respond(request, true);
  if (command == "configurationDone") {
    Respond(request, true);
    SendEvent("thread", json{{"reason", "started"}, {"threadId", kThreadId}});
    m_target->Go();
    return;
  }
  if (command == "stackTrace") return StackTrace(request, args);
  if (command == "scopes") return Scopes(request, args);
  if (command == "variables") return Variables(request, args);
  if (command == "setVariable") return SetVariable(request, args);
  if (command == "evaluate") return Evaluate(request, args);
  if (command == "exceptionInfo") return ExceptionInfo(request);
  if (command == "continue") return ResumeRequest(request, EResumeAction::Continue);
  if (command == "next") return ResumeRequest(request, EResumeAction::StepOver);
  if (command == "stepIn") return ResumeRequest(request, EResumeAction::StepIn);
  if (command == "stepOut") return ResumeRequest(request, EResumeAction::StepOut);
  if (command == "pause") {
    m_target->Debugger().Pause();
    return Respond(request, true);
  }
  if (command == "terminate") {
    Respond(request, true);
    m_target->Terminate();
    return;
  }
  Respond(request, false, {}, "The request \"" + command + "\" is not supported.");
}

void CDapSession::Initialize(const json& request) {
  const json args = request.contains("arguments") ? request["arguments"] : json::object();
  m_linesStartAt1 = Field(args, "linesStartAt1", true);
  m_columnsStartAt1 = Field(args, "columnsStartAt1", true);
  Respond(request, true,
          json{{"supportsConfigurationDoneRequest", true},
               {"supportsSetVariable", true},
               {"supportsEvaluateForHovers", true},
               {"supportsExceptionInfoRequest", true},
               {"supportsBreakpointLocationsRequest", true},
               {"supportsTerminateRequest", true},
               {"supportTerminateDebuggee", true}});
}

void CDapSession::Launch(const json& request, const json& args) {
  if (m_target != nullptr) return Respond(request, false, {}, "A script has already been launched.");
  SLaunchOptions options;
  options.program = Field(args, "program", std::string());
  options.workingFolder = Field(args, "cwd", std::string());
  options.stopOnEntry = Field(args, "stopOnEntry", false);
  options.windowed = Field(args, "console", std::string("console")) == "windowed";
  if (args.contains("args") && args["args"].is_array()) {
    for (const auto& argument : args["args"]) {
      if (argument.is_string()) options.arguments.push_back(argument.get<std::string>());
    }
  }
  if (options.program.empty()) return Respond(request, false, {}, "The launch request names no program.");
  m_launched = std::make_unique<CDebugRun>(
      *this, [this](std::string_view category, std::string_view text) { SendOutput(category, text); },
      [this](int exitCode) { OnScriptEnded(exitCode); });
  std::u16string error;
  if (!m_launched->Load(options, error) || !m_launched->Start()) {
    m_launched.reset();
    if (error.empty()) error = u"The script's thread could not be started.";
    SendOutput("stderr", Utf8(error) + "\n");
    return Respond(request, false, {}, Utf8(error));
  }
  m_target = m_launched.get();
  // Run without debugging: the script runs through, whatever breakpoints or Stop statements say.
  if (Field(args, "noDebug", false)) m_target->Debugger().SetQuiet(true);
  Respond(request, true);
  // Only now: the client's breakpoints can be placed once the script's lines are known.
  SendEvent("initialized");
}

bool CDapSession::IsProgramSource(const json& args) const {
  if (!args.contains("source") || !args["source"].is_object()) return true;
  const std::string path = Field(args["source"], "path", std::string());
  return path.empty() || SameFile(path) == SameFile(m_target->ProgramPath());
}

void CDapSession::SetBreakpoints(const json& request, const json& args) {
  std::vector<int> lines;
  if (args.contains("breakpoints") && args["breakpoints"].is_array()) {
    for (const auto& breakpoint : args["breakpoints"]) lines.push_back(Field(breakpoint, "line", 0));
  } else if (args.contains("lines") && args["lines"].is_array()) {
    for (const auto& line : args["lines"]) lines.push_back(line.is_number_integer() ? line.get<int>() : 0);
  }
  const bool ours = IsProgramSource(args);
  const std::vector<int> landed = ours ? m_target->Debugger().SetBreakpoints(lines) : std::vector<int>(lines.size(), 0);
  json breakpoints = json::array();
  for (size_t i = 0; i < lines.size(); ++i) {
    json breakpoint{{"verified", landed[i] > 0}, {"line", landed[i] > 0 ? landed[i] : lines[i]}};
    if (landed[i] == 0) breakpoint["message"] = ours ? "No code on or after this line." : "Not the launched script.";
    breakpoints.push_back(std::move(breakpoint));
  }
  Respond(request, true, json{{"breakpoints", std::move(breakpoints)}});
}

// Where breakpoints on the lines asked for would hold: each line's landing line, once.
void CDapSession::BreakpointLocations(const json& request, const json& args) {
  constexpr int kMostLines = 100000;
  const int line = Field(args, "line", 0);
  const int endLine = std::min(Field(args, "endLine", line), line + kMostLines);
  json locations = json::array();
  if (IsProgramSource(args) && line > 0) {
    int last = 0;
    for (int at = line; at <= std::max(line, endLine); ++at) {
      const int landed = m_target->Debugger().LandingLine(at);
      if (landed == 0) break;
      if (landed != last && (landed <= endLine || at == line)) locations.push_back(json{{"line", landed}});
      last = landed;
      at = std::max(at, landed);
    }
  }
  Respond(request, true, json{{"breakpoints", std::move(locations)}});
}

bool CDapSession::RequireStopped(const json& request) {
  if (m_target->Debugger().IsStopped()) return true;
  Respond(request, false, {}, "The script is not stopped.");
  return false;
}

void CDapSession::StackTrace(const json& request, const json& args) {
  if (!RequireStopped(request)) return;
  std::vector<SFrameView> frames;
  if (!m_target->Debugger().RunWhileStopped([&] { frames = m_target->Inspector().Frames(); })) {
    return Respond(request, false, {}, "The script is not stopped.");
  }
  const size_t start = static_cast<size_t>(std::max(0, Field(args, "startFrame", 0)));
  const int levels = Field(args, "levels", 0);
  const std::string path = m_target->ProgramPath();
  const json source{{"name", std::filesystem::path(path).filename().string()}, {"path", path}};
  json list = json::array();
  for (size_t i = start; i < frames.size() && (levels <= 0 || list.size() < static_cast<size_t>(levels)); ++i) {
    list.push_back(json{{"id", frames[i].id},
                        {"name", Utf8(frames[i].name)},
                        {"line", frames[i].line - (m_linesStartAt1 ? 0 : 1)},
                        {"column", frames[i].column - (m_columnsStartAt1 ? 0 : 1)},
                        {"source", source}});
  }
  Respond(request, true, json{{"stackFrames", std::move(list)}, {"totalFrames", frames.size()}});
}

void CDapSession::Scopes(const json& request, const json& args) {
  if (!RequireStopped(request)) return;
  const int frameId = Field(args, "frameId", -1);
  std::vector<SScopeView> scopes;
  (void)m_target->Debugger().RunWhileStopped([&] { scopes = m_target->Inspector().Scopes(frameId); });
  json list = json::array();
  for (const auto& scope : scopes) {
    list.push_back(json{{"name", Utf8(scope.name)},
                        {"variablesReference", scope.reference},
                        {"presentationHint", scope.name == u"Locals" ? "locals" : "globals"},
                        {"expensive", false}});
  }
  Respond(request, true, json{{"scopes", std::move(list)}});
}

void CDapSession::Variables(const json& request, const json& args) {
  if (!RequireStopped(request)) return;
  const int reference = Field(args, "variablesReference", 0);
  std::optional<size_t> start;
  std::optional<size_t> count;
  if (Field(args, "start", -1) >= 0) start = static_cast<size_t>(Field(args, "start", 0));
  if (Field(args, "count", 0) > 0) count = static_cast<size_t>(Field(args, "count", 0));
  // A client that asks for named members of an array gets none: its elements are indexed.
  const bool namedOnly = Field(args, "filter", std::string()) == "named";
  std::vector<SVariableView> views;
  bool known = false;
  (void)m_target->Debugger().RunWhileStopped(
      [&] { known = m_target->Inspector().Variables(reference, start, count, views); });
  if (!known) return Respond(request, false, {}, "No such variables reference.");
  json list = json::array();
  for (const auto& view : views) {
    if (namedOnly && !view.name.empty() && view.name.front() == u'(') continue;
    list.push_back(VariableJson(view));
  }
  Respond(request, true, json{{"variables", std::move(list)}});
}

void CDapSession::SetVariable(const json& request, const json& args) {
  if (!RequireStopped(request)) return;
  const int reference = Field(args, "variablesReference", 0);
  const std::u16string name = Utf16(Field(args, "name", std::string()));
  const std::u16string value = Utf16(Field(args, "value", std::string()));
  SVariableView view;
  std::u16string error;
  bool ok = false;
  (void)m_target->Debugger().RunWhileStopped(
      [&] { ok = m_target->Inspector().SetVariable(reference, name, value, view, error); });
  if (!ok) return Respond(request, false, {}, Utf8(error));
  json body{{"value", Utf8(view.value)}, {"type", Utf8(view.type)}, {"variablesReference", view.reference}};
  if (view.indexedCount != 0) body["indexedVariables"] = view.indexedCount;
  Respond(request, true, std::move(body));
}

void CDapSession::Evaluate(const json& request, const json& args) {
  if (!RequireStopped(request)) return;
  const std::u16string expression = Utf16(Field(args, "expression", std::string()));
  const int frameId = Field(args, "frameId", 0);
  SVariableView view;
  std::u16string error;
  bool ok = false;
  (void)m_target->Debugger().RunWhileStopped(
      [&] { ok = m_target->Inspector().Evaluate(frameId, expression, view, error); });
  if (!ok) return Respond(request, false, {}, Utf8(error));
  json body{{"result", Utf8(view.value)}, {"type", Utf8(view.type)}, {"variablesReference", view.reference}};
  if (view.indexedCount != 0) body["indexedVariables"] = view.indexedCount;
  Respond(request, true, std::move(body));
}

void CDapSession::ExceptionInfo(const json& request) {
  const std::optional<SStopInfo> stop = m_target->Debugger().CurrentStop();
  if (!stop || !stop->error) return Respond(request, false, {}, "The script is not stopped at an error.");
  const SErrorBreak& error = *stop->error;
  const std::string sourceText = Utf8(m_target->SourceLine(stop->line));
  const std::string code = StatusCode(error.number);
  // The same lines the editor shows in its error box.
  const std::string formatted = "Line:\t" + std::to_string(stop->line) + "\nColumn:\t" + std::to_string(stop->column) +
                                "\nError:\t" + Utf8(error.description) + "\nCode:\t" + code + "\nSource:\t" + sourceText;
  Respond(request, true,
          json{{"exceptionId", code},
               {"description", Utf8(error.description)},
               {"breakMode", "unhandled"},
               {"details", json{{"message", Utf8(error.description)},
                                {"typeName", "VBScript runtime error " + std::to_string(error.number)},
                                {"source", sourceText},
                                {"formattedDescription", formatted},
                                {"line", stop->line},
                                {"column", stop->column},
                                {"number", error.number}}}});
}

void CDapSession::ResumeRequest(const json& request, EResumeAction action) {
  if (!RequireStopped(request)) return;
  // The answer goes first: the stop that the step ends in must follow it.
  Respond(request, true, action == EResumeAction::Continue ? json{{"allThreadsContinued", true}} : json::object());
  (void)m_target->Debugger().Resume(action);
}

void CDapSession::OnStopped(const SStopInfo& stop) {
  json body{{"reason", ReasonName(stop.reason)}, {"threadId", kThreadId}, {"allThreadsStopped", true}};
  if (stop.reason == EStopReason::StopStatement) body["description"] = "Stop statement";
  if (stop.error) {
    body["description"] = "Runtime error";
    body["text"] = Utf8(stop.error->description);
  }
  SendEvent("stopped", std::move(body));
}

void CDapSession::OnContinued() {
  // References handed out while stopped are void now; the inspector is the script thread's.
  m_target->Inspector().Forget();
  SendEvent("continued", json{{"threadId", kThreadId}, {"allThreadsContinued", true}});
}

void CDapSession::OnScriptEnded(int exitCode) {
  SendEvent("exited", json{{"exitCode", exitCode}});
  SendEvent("terminated");
}

bool CDapSession::EndScript(int waitMilliseconds) {
  if (m_target == nullptr) return true;
  m_target->Terminate();
  return m_target->WaitEnded(waitMilliseconds);
}

}  // namespace quillet::engine::debug
