#include "serve/http_server.h"

#include <httplib.h>
#include <sys/socket.h>

#include <nlohmann/json.hpp>

#include "serve/connection_queue.h"
#include "serve/embedded_documents.h"

namespace dsp {
namespace {

constexpr auto kApiTimeout = std::chrono::seconds(60);
constexpr auto kEventWait = std::chrono::seconds(15);  // then a comment keeps proxies from closing the stream
constexpr time_t kReadTimeoutS = 5;
constexpr int kListenBacklog = 1024;

void SendJson(httplib::Response& response, const ApiResponse& answer) {
  response.status = answer.status;
  response.set_content(answer.text.empty() ? JsonText(answer.body) : answer.text, "application/json");
}

std::string SseText(const ServeEvent& event) { return "event: " + event.type + "\ndata: " + event.data + "\n\n"; }

}  // namespace

bool BearerMatches(const std::string& header, const std::string& token) {
  const std::string expected = "Bearer " + token;
  unsigned char differ = header.size() == expected.size() ? 0 : 1;
  for (std::size_t i = 0; i < expected.size(); ++i) {
    differ |= static_cast<unsigned char>(expected[i] ^ (i < header.size() ? header[i] : 0));
  }
  return differ == 0 && !token.empty();
}

HttpServer::HttpServer(const HttpSettings& settings, BusWorker& worker, EventHub& events)
    : settings_(settings), worker_(worker), events_(events), server_(std::make_unique<httplib::Server>()) {
  server_->new_task_queue = [this] { return new ConnectionQueue(settings_.max_connections); };
  server_->set_socket_options([this](socket_t socket) {
    httplib::default_socket_options(socket);
    listening_socket_ = socket;  // the last one made is the one bound
  });
  server_->set_payload_max_length(kMaxBodyBytes);
  server_->set_read_timeout(kReadTimeoutS, 0);
  SetUpGuards();
  SetUpRoutes();
}

HttpServer::~HttpServer() = default;

bool HttpServer::Bind(std::string& error) {
  if (settings_.port == 0) {
    port_ = server_->bind_to_any_port(settings_.host);
  } else {
    port_ = server_->bind_to_port(settings_.host, settings_.port) ? settings_.port : -1;
  }
  if (port_ <= 0) {
    error = "cannot listen on " + settings_.host + ":" + std::to_string(settings_.port) +
            ": choose another address or port with --listen, or stop what already uses it";
    return false;
  }
  // The library listens with a backlog of 5: clients that open a connection
  // per request overflow it, and each connection dropped waits a second for
  // the system to try again. Listening again widens it (should that fail,
  // the narrow one still serves).
  ::listen(listening_socket_, kListenBacklog);
  return true;
}

void HttpServer::Serve() { server_->listen_after_bind(); }

void HttpServer::Stop() {
  events_.Close();
  server_->stop();
}

// A connection beyond the limit is refused before anything else. The token
// is checked next, so a request without it learns nothing (not even which
// paths exist).
void HttpServer::SetUpGuards() {
  server_->set_pre_routing_handler([this](const httplib::Request& request, httplib::Response& response) {
    if (ConnectionQueue::OnRefusingThread()) {
      response.set_header("Retry-After", std::to_string(kRetryAfterS));
      response.set_header("Connection", "close");
      SendJson(response, ErrorResponse(503, "dspserve is serving as many connections as it takes (" +
                                                std::to_string(settings_.max_connections) +
                                                "): close one or try again in a moment"));
      return httplib::Server::HandlerResponse::Handled;
    }
    if (!settings_.allow_origin.empty()) {
      response.set_header("Access-Control-Allow-Origin", settings_.allow_origin);
      response.set_header("Access-Control-Allow-Headers", "Authorization, Content-Type");
      response.set_header("Access-Control-Allow-Methods", "GET, PATCH, POST");
    }
    if (settings_.token.empty() || BearerMatches(request.get_header_value("Authorization"), settings_.token)) {
      return httplib::Server::HandlerResponse::Unhandled;
    }
    response.set_header("WWW-Authenticate", "Bearer");
    SendJson(response, ErrorResponse(401, "a bearer token is needed: send \"Authorization: Bearer\" and the token "
                                          "dspserve showed at its first start"));
    return httplib::Server::HandlerResponse::Handled;
  });
  server_->set_error_handler([](const httplib::Request& request, httplib::Response& response) {
    if (!response.body.empty()) return;
    const std::string reason = response.status == 413 ? "the request is too large: send at most " +
                                                            std::to_string(kMaxBodyBytes) + " bytes"
                                                      : "the request was refused: " + request.method + " " + request.path;
    SendJson(response, ErrorResponse(response.status, reason));
  });
}

void HttpServer::SetUpRoutes() {
  server_->Get("/", [](const httplib::Request&, httplib::Response& response) {
    response.set_content(kWebRemotePage, "text/html; charset=utf-8");
  });
  server_->Get("/api/v1/openapi.json", [](const httplib::Request&, httplib::Response& response) {
    response.set_content(kOpenApiDocument, "application/json");
  });
  server_->Get("/api/v1/events", [this](const httplib::Request&, httplib::Response& response) {
    std::shared_ptr<EventSubscription> subscription = events_.Subscribe();
    if (!subscription) {
      SendJson(response, ErrorResponse(503, "too many event streams are open: close one and try again"));
      return;
    }
    response.set_header("Cache-Control", "no-store");
    response.set_chunked_content_provider(
        "text/event-stream",
        [subscription](std::size_t, httplib::DataSink& sink) {
          const std::optional<ServeEvent> event = subscription->Next(kEventWait);
          if (subscription->Closed()) return false;
          const std::string text = event ? SseText(*event) : std::string(": waiting\n\n");
          return sink.write(text.data(), text.size());
        },
        [this, subscription](bool) { events_.Unsubscribe(subscription); });
  });
  const auto api = [this](const httplib::Request& request, httplib::Response& response) {
    SendJson(response, HandleApiRequest({request.method, request.path, request.body}, worker_, kApiTimeout));
  };
  server_->Get("/api/v1/.*", api);
  server_->Patch("/api/v1/.*", api);
  server_->Post("/api/v1/.*", api);
}

}  // namespace dsp
