"""quandor-serve end to end over loopback: every route against docs/openapi.yaml,
every refusal, a bank code file replaced during a batch, and SIGTERM."""
import http.client
import json
import os
import re
import shutil
import signal
import socket
import subprocess
import time

import jsonschema
import pytest
import yaml

SERVE = os.environ["QUANDOR_SERVE"]
SOURCE = os.environ["QUANDOR_SOURCE_DIR"]
OPENAPI = yaml.safe_load(open(os.path.join(SOURCE, "docs", "openapi.yaml"), encoding="utf-8"))
GOOD = ("37040044", "0532013000")
BAD = ("37040044", "1234567890")


def start(data_dir, *options):
    process = subprocess.Popen(
        [SERVE, "--listen", "127.0.0.1:0", "--data", str(data_dir), *options],
        stderr=subprocess.PIPE, text=True)
    line = process.stderr.readline()
    port = int(re.search(r":(\d+)$", line.strip()).group(1))
    return process, port


@pytest.fixture(scope="module")
def data_dir(tmp_path_factory):
    directory = tmp_path_factory.mktemp("data")
    shutil.copy(os.path.join(SOURCE, "data", "blz.txt"), directory / "blz.txt")
    return directory


@pytest.fixture(scope="module")
def server(data_dir):
    process, port = start(data_dir, "--no-log", "--max-body", "1024", "--max-batch-rows", "50",
                          "--max-request-line", "512", "--max-headers", "1024",
                          "--header-timeout", "1")
    yield port
    process.terminate()
    assert process.wait(10) == 0


def request(port, method, path, body=None, content_type=None, headers=()):
    connection = http.client.HTTPConnection("127.0.0.1", port, timeout=30)
    sent = dict(headers)
    if content_type:
        sent["Content-Type"] = content_type
    connection.request(method, path, body=body, headers=sent)
    response = connection.getresponse()
    data = response.read()
    connection.close()
    return response, data


def schema_of(template, method, status):
    """The documented schema of an answer, with the document's components for its references."""
    responses = OPENAPI["paths"][template][method.lower()]["responses"]
    answer = responses[str(status)]
    if "$ref" in answer:
        answer = OPENAPI["components"]["responses"][answer["$ref"].rsplit("/", 1)[1]]
    content = answer["content"]
    schema = next(iter(content.values()))["schema"]
    return dict(schema, components=OPENAPI["components"])


ERROR_SCHEMA = {"$ref": "#/components/schemas/Error", "components": OPENAPI["components"]}

# method, path, body, content type, template in the document, status, a field to check
ANSWERS = [
    ("GET", "/v1/accounts/%s/%s" % GOOD, None, None, "/v1/accounts/{bank_code}/{account}", 200,
     ("valid", True)),
    ("GET", "/v1/accounts/%s/%s?rules=original&strictness=3" % BAD, None, None,
     "/v1/accounts/{bank_code}/{account}", 200, ("error_name", "qdWrongCheckDigit")),
    ("GET", "/v1/accounts/99999999/1", None, None, "/v1/accounts/{bank_code}/{account}", 200,
     ("bank", None)),
    ("GET", "/v1/ibans/DE89%203704%200044%200532%200130%2000", None, None, "/v1/ibans/{iban}", 200,
     ("valid", True)),
    ("GET", "/v1/ibans/DE00370400440532013000", None, None, "/v1/ibans/{iban}", 200,
     ("error_name", "qdIbanWrongCheckDigits")),
    ("POST", "/v1/ibans", '{"bank_code": "37040044", "account": "532013000"}', "application/json",
     "/v1/ibans", 200, ("iban", "DE89370400440532013000")),
    ("POST", "/v1/ibans", json.dumps(dict(bank_code=BAD[0], account=BAD[1])), "application/json",
     "/v1/ibans", 422, ("error_name", "qdWrongCheckDigit")),
    ("POST", "/v1/ibans", '{"bank_code": "99999999", "account": "1"}', "application/json",
     "/v1/ibans", 422, ("error_name", "qdBankNumberUnknown")),
    ("POST", "/v1/ibans", '{"bank_code": "3704", "account": "1"}', "application/json",
     "/v1/ibans", 422, ("error_name", "qdBankNumberWrongDigits")),
    ("POST", "/v1/ibans", '{"bank_code": 37040044}', "application/json", "/v1/ibans", 400, None),
    ("POST", "/v1/ibans", "{", "application/json", "/v1/ibans", 400, None),
    ("POST", "/v1/ibans", "{}", "text/plain", "/v1/ibans", 415, None),
    ("GET", "/v1/banks/37040044", None, None, "/v1/banks/{bank_code}", 200, ("city", "Köln")),
    ("GET", "/v1/banks/99999999", None, None, "/v1/banks/{bank_code}", 404, None),
    ("GET", "/v1/banks/12", None, None, "/v1/banks/{bank_code}", 400, None),
    ("GET", "/v1/banks?q=k%C3%B6ln&in=city,name", None, None, "/v1/banks", 200, None),
    ("GET", "/v1/banks?q=zzzzqqq", None, None, "/v1/banks", 200, ("count", 0)),
    ("GET", "/v1/banks?q=x&in=street", None, None, "/v1/banks", 400, None),
    ("GET", "/v1/banks", None, None, "/v1/banks", 400, None),
    ("GET", "/v1/cards/visa/4111%201111%201111%201111", None, None, "/v1/cards/{company}/{number}",
     200, ("valid", True)),
    ("GET", "/v1/cards/3/4111111111111111", None, None, "/v1/cards/{company}/{number}", 200,
     ("valid", False)),
    # A number beyond the six companies names none (it once read past their names).
    ("GET", "/v1/cards/9/4111111111111111", None, None, "/v1/cards/{company}/{number}", 200,
     ("company", None)),
    ("GET", "/v1/cards/amex/378282246310005", None, None, "/v1/cards/{company}/{number}", 200,
     ("company", "americanexpress")),
    ("GET", "/v1/data", None, None, "/v1/data", 200, ("banks", 3506)),
    ("GET", "/healthz", None, None, "/healthz", 200, ("status", "ok")),
    ("GET", "/readyz", None, None, "/readyz", 200, ("ready", True)),
    ("GET", "/v1/accounts/1/2?rules=newest", None, None, "/v1/accounts/{bank_code}/{account}", 400,
     None),
    ("GET", "/v1/accounts/1/2?strictness=7", None, None, "/v1/accounts/{bank_code}/{account}", 400,
     None),
    ("GET", "/v1/accounts/1/%zz", None, None, "/v1/accounts/{bank_code}/{account}", 400, None),
]


@pytest.mark.parametrize("method,path,body,content_type,template,status,field", ANSWERS)
def test_answers_follow_the_document(server, method, path, body, content_type, template, status,
                                     field):
    response, data = request(server, method, path, body, content_type)
    assert response.status == status, data
    assert response.getheader("Content-Type") == "application/json"
    answer = json.loads(data.decode("utf-8"))
    jsonschema.validate(answer, schema_of(template, method, status))
    if field:
        assert answer[field[0]] == field[1]


def batch(port, body, content_type, query=""):
    response, data = request(port, "POST", "/v1/accounts:validate" + query, body, content_type)
    assert response.status == 200, data
    rows = [json.loads(line) for line in data.decode("utf-8").splitlines()]
    schema = schema_of("/v1/accounts:validate", "POST", 200)
    for row in rows:
        jsonschema.validate(row, schema)
    return rows


def test_batch_rows_as_quandor_check_reads_them(server):
    csv = "Konto,BLZ\n%s,%s\n%s,%s\n\"x,1\n,\n" % (GOOD[1], GOOD[0], BAD[1], BAD[0])
    rows = batch(server, csv, "text/csv; charset=utf-8",
                 "?delimiter=,&blz-column=BLZ&account-column=Konto")
    assert [(r["line"], r["valid"], r["error_name"]) for r in rows] == [
        (2, True, "qdNoError"), (3, False, "qdWrongCheckDigit"), (4, False, None),
        (5, False, "qdBankNumberMissing")]
    ndjson = "\n".join([json.dumps(dict(bank_code=GOOD[0], account=GOOD[1])), "",
                        "[1, 2]", json.dumps(dict(bank_code=BAD[0], account=BAD[1]))])
    rows = batch(server, ndjson, "application/x-ndjson")
    assert [(r["row"], r["line"], r["valid"], r["error"]) for r in rows] == [
        (1, 1, True, 1), (2, 3, False, None), (3, 4, False, 2)]
    assert rows[1]["message"].startswith("line 3: ")


def raw(port, data, wait=None):
    """Sends bytes as they are and returns the answer's status and JSON body."""
    with socket.create_connection(("127.0.0.1", port), timeout=10) as s:
        s.sendall(data)
        if wait:
            time.sleep(wait)
        answer = b""
        while chunk := s.recv(65536):
            answer += chunk
    head, _, body = answer.partition(b"\r\n\r\n")
    return int(head.split()[1]), json.loads(body)


REFUSALS = [
    (b"GET /nowhere HTTP/1.1\r\nHost: x\r\nConnection: close\r\n\r\n", None, 404),
    (b"DELETE /v1/data HTTP/1.1\r\nHost: x\r\nConnection: close\r\n\r\n", None, 405),
    (b"GET /healthz HTTP/1.1\r\nHost: x\r\n", 2, 408),
    (b"POST /v1/ibans HTTP/1.1\r\nHost: x\r\nContent-Length: 2000\r\n\r\n" + b"x" * 2000, None,
     413),
    (b"POST /v1/accounts:validate HTTP/1.1\r\nHost: x\r\nContent-Type: application/x-ndjson\r\n"
     b"Content-Length: 51\r\nConnection: close\r\n\r\n" + b"\n" * 51, None, 413),
    (b"GET /" + b"a" * 600 + b" HTTP/1.1\r\nHost: x\r\n\r\n", None, 414),
    (b"GET /healthz HTTP/1.1\r\nHost: x\r\nX-Big: " + b"b" * 1200 + b"\r\n\r\n", None, 431),
    (b"POST /v1/accounts:validate HTTP/1.1\r\nHost: x\r\nContent-Type: text/plain\r\n"
     b"Content-Length: 2\r\nConnection: close\r\n\r\nab", None, 415),
    (b"GARBAGE\r\n\r\n", None, 400),
]


@pytest.mark.parametrize("data,wait,status", REFUSALS)
def test_refusals_are_json(server, data, wait, status):
    got, answer = raw(server, data, wait)
    assert got == status
    jsonschema.validate(answer, ERROR_SCHEMA)
    assert answer["status"] == status


def test_keep_alive_and_metrics(server):
    connection = http.client.HTTPConnection("127.0.0.1", server, timeout=10)
    for _ in range(3):
        connection.request("GET", "/v1/accounts/%s/%s" % GOOD)
        assert connection.getresponse().read()
    connection.request("GET", "/metrics")
    response = connection.getresponse()
    text = response.read().decode()
    assert response.getheader("Content-Type").startswith("text/plain")
    assert re.search(r'quandor_requests_total\{route="/v1/accounts/\{bank_code\}/\{account\}",'
                     r'status="200"\} \d+', text)
    assert 'quandor_request_duration_seconds_bucket{le="+Inf"}' in text
    assert "quandor_data_reloads_total" in text


def rows_csv(count):
    return "blz;konto\n" + "%s;%s\n" % GOOD * count


def open_batch(port, count):
    """Starts a large batch and reads its first line; the rest is still to come."""
    connection = http.client.HTTPConnection("127.0.0.1", port, timeout=60)
    connection.request("POST", "/v1/accounts:validate", rows_csv(count),
                       {"Content-Type": "text/csv"})
    response = connection.getresponse()
    assert response.status == 200
    first = response.readline()
    return connection, response, first


def test_a_batch_answers_from_one_version_of_the_file(data_dir, tmp_path):
    directory = tmp_path / "data"
    shutil.copytree(data_dir, directory)
    process, port = start(directory, "--no-log")
    try:
        count = 100_000
        connection, response, first = open_batch(port, count)
        # The bank leaves the file while the batch runs.
        lines = (directory / "blz.txt").read_text(encoding="utf-8").splitlines(keepends=True)
        replacement = directory / "blz.new"
        replacement.write_text("".join(l for l in lines if not l.startswith(GOOD[0])),
                               encoding="utf-8")
        os.replace(replacement, directory / "blz.txt")
        rows = [first] + response.read().splitlines()
        connection.close()
        assert len(rows) == count
        assert all(b'"valid":true' in row for row in rows)
        answer, data = request(port, "GET", "/v1/banks/" + GOOD[0])
        assert answer.status == 404
        time.sleep(1.5)  # the metrics look at the file once a second
        answer, data = request(port, "GET", "/metrics")
        assert b"quandor_data_reloads_total 1" in data
    finally:
        process.terminate()
        process.wait(10)


def test_sigterm_finishes_the_requests_in_flight(data_dir):
    process, port = start(data_dir, "--no-log", "--drain-timeout", "300")
    idle = socket.create_connection(("127.0.0.1", port))
    count = 50_000
    connection, response, first = open_batch(port, count)
    process.send_signal(signal.SIGTERM)
    rows = [first] + response.read().splitlines()
    assert len(rows) == count
    assert process.wait(20) == 0
    assert idle.recv(1) == b""  # an idle connection is closed, not left hanging
    with pytest.raises(ConnectionRefusedError):
        socket.create_connection(("127.0.0.1", port))
