// quillet-dap against a third-party client: the DebugClient of @vscode/debugadapter-testsupport
// drives it over standard input and output through the scenarios an editor needs.
//   node conformance.js <quillet-dap> <folder holding node_modules>
'use strict';
const assert = require('node:assert');
const cp = require('node:child_process');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');

const adapter = path.resolve(process.argv[2]);
const clientFolder = process.argv[3];
const { DebugClient } = require(path.resolve(clientFolder, 'node_modules', '@vscode', 'debugadapter-testsupport'));

const work = fs.mkdtempSync(path.join(os.tmpdir(), 'quillet-dap-'));
function script(name, lines) {
  const file = path.join(work, name);
  fs.writeFileSync(file, lines.join('\r\n') + '\r\n');
  return file;
}

async function withClient(body) {
  const client = new DebugClient(adapter, '', 'vbscript');
  // The adapter is a program of its own, not a script for a runtime.
  client._runtime = adapter;
  client._executable = undefined;
  client.start = () => new Promise((resolve, reject) => {
    client._adapterProcess = cp.spawn(adapter, [], { stdio: ['pipe', 'pipe', 'pipe'] });
    client._adapterProcess.on('error', reject);
    client._adapterProcess.stderr.on('data', (data) => process.stderr.write('adapter: ' + data));
    client.connect(client._adapterProcess.stdout, client._adapterProcess.stdin);
    resolve();
  });
  client.defaultTimeout = 10000;
  await client.start();
  try {
    await body(client);
  } finally {
    // A request to an adapter that has ended would wait for ever.
    if (client._adapterProcess && client._adapterProcess.exitCode === null) await client.stop();
    else client.stopAdapter();
  }
}

async function variables(client, reference) {
  const response = await client.variablesRequest({ variablesReference: reference });
  const byName = {};
  for (const variable of response.body.variables) byName[variable.name] = variable;
  return byName;
}

async function stoppedAt(client, reason, line) {
  const trace = await client.assertStoppedLocation(reason, { line });
  return trace.body.stackFrames;
}

const scenarios = {
  async breakpointOnABlankLineVariablesSetVariableAndEvaluate(client) {
    const program = script('values.vbs', [
      'Class Box',                                  // 1
      '  Public Content',                           // 2
      'End Class',                                  // 3
      'Dim grid(1, 1), crate, n',                   // 4
      'grid(1, 0) = Array("x", Array(5))',          // 5
      'Set crate = New Box',                        // 6
      'Set crate.Content = New Box',                // 7
      'n = 1',                                      // 8
      '',                                           // 9: blank, the breakpoint moves to 10
      'WScript.Echo "n=" & n',                      // 10
    ]);
    await client.hitBreakpoint({ program }, { path: program, line: 9 }, { path: program, line: 10 },
                               { line: 10 });
    const locations = await client.customRequest('breakpointLocations', { source: { path: program }, line: 9 });
    assert.deepStrictEqual(locations.body.breakpoints, [{ line: 10 }]);
    const frames = (await client.stackTraceRequest({ threadId: 1 })).body.stackFrames;
    const scopes = (await client.scopesRequest({ frameId: frames[0].id })).body.scopes;
    const globals = await variables(client, scopes[scopes.length - 1].variablesReference);
    assert.strictEqual(globals.grid.value, '(0 To 1, 0 To 1)');
    const row = await variables(client, (await variables(client, globals.grid.variablesReference))['(1)'].variablesReference);
    const nested = await variables(client, row['(1, 0)'].variablesReference);
    assert.strictEqual(nested['(0)'].value, '"x"');
    assert.strictEqual((await variables(client, nested['(1)'].variablesReference))['(0)'].value, '5');
    const box = await variables(client, globals.crate.variablesReference);
    assert.strictEqual(box.Content.value, '{Box}');
    assert.strictEqual((await variables(client, box.Content.variablesReference)).Content.value, 'Empty');

    const changed = await client.setVariableRequest({ variablesReference: scopes[scopes.length - 1].variablesReference, name: 'n', value: '41' });
    assert.strictEqual(changed.body.value, '41');
    await assert.rejects(client.setVariableRequest({ variablesReference: scopes[scopes.length - 1].variablesReference, name: 'crate', value: '1' }));
    const evaluated = await client.evaluateRequest({ expression: 'n + 1', frameId: frames[0].id });
    assert.strictEqual(evaluated.body.result, '42');
    await Promise.all([client.continueRequest({ threadId: 1 }), client.assertOutput('stdout', 'n=41'),
                       client.waitForEvent('terminated')]);
  },

  async stepsInAndOutOfSubsFunctionsAndClassMethods(client) {
    const program = script('steps.vbs', [
      'Function Twice(x)',      // 1
      '  Twice = x * 2',        // 2
      'End Function',           // 3
      'Sub Show(x)',            // 4
      '  Debug.WriteLine Twice(x)',  // 5
      'End Sub',                // 6
      'Class Counter',          // 7
      '  Public n',             // 8
      '  Sub Add(k)',           // 9
      '    n = n + k',          // 10
      '  End Sub',              // 11
      'End Class',              // 12
      'Set c = New Counter',    // 13
      'Show 1',                 // 14
      'c.Add 2',                // 15
      'WScript.Echo c.n',       // 16
    ]);
    await Promise.all([client.configurationSequence(), client.launch({ program, stopOnEntry: true }),
                       stoppedAt(client, 'entry', 13)]);
    await Promise.all([client.nextRequest({ threadId: 1 }), stoppedAt(client, 'step', 14)]);
    await Promise.all([client.stepInRequest({ threadId: 1 }), stoppedAt(client, 'step', 5)]);
    await Promise.all([client.stepInRequest({ threadId: 1 }), stoppedAt(client, 'step', 2)]);
    const frames = (await client.stackTraceRequest({ threadId: 1 })).body.stackFrames;
    assert.deepStrictEqual(frames.map((f) => f.name), ['Twice', 'Show', 'Global code']);
    await Promise.all([client.stepOutRequest({ threadId: 1 }), client.assertOutput('console', '2'),
                       stoppedAt(client, 'step', 15)]);
    await Promise.all([client.stepInRequest({ threadId: 1 }), stoppedAt(client, 'step', 10)]);
    const method = (await client.stackTraceRequest({ threadId: 1 })).body.stackFrames[0];
    assert.strictEqual(method.name, 'Counter.Add');
    await Promise.all([client.stepOutRequest({ threadId: 1 }), stoppedAt(client, 'step', 16)]);
    await Promise.all([client.continueRequest({ threadId: 1 }), client.assertOutput('stdout', '2'),
                       client.waitForEvent('exited')]);
  },

  async stopsOnAnErrorAndGoesOnAfterTheStatement(client) {
    const program = script('error.vbs', [
      'WScript.Echo "before"',
      'x = 1 / 0',
      'WScript.Echo "after"',
    ]);
    const output = client.assertOutput('stdout', 'before\r\nafter');
    await Promise.all([client.configurationSequence(), client.launch({ program }),
                       stoppedAt(client, 'exception', 2)]);
    const info = await client.exceptionInfoRequest({ threadId: 1 });
    assert.strictEqual(info.body.exceptionId, '800A000B');
    assert.strictEqual(info.body.description, 'Division by zero');
    assert.match(info.body.details.formattedDescription, /^Line:\t2\nColumn:\t1\nError:\tDivision by zero\nCode:\t800A000B\nSource:\tx = 1 \/ 0$/);
    await Promise.all([client.continueRequest({ threadId: 1 }), output, client.waitForEvent('terminated')]);
  },

  async runWithoutDebuggingPassesBreakpointsStopsAndErrors(client) {
    const program = script('nodebug.vbs', ['Stop', 'WScript.Echo "through"', 'x = 1 / 0', 'WScript.Echo "end"']);
    const output = client.assertOutput('stdout', 'through\r\n');
    const stopped = new Promise((resolve) => client.once('stopped', resolve));
    await Promise.all([
      client.waitForEvent('initialized').then(() => client.setBreakpointsRequest({ source: { path: program }, breakpoints: [{ line: 2 }] }))
        .then(() => client.configurationDoneRequest()),
      client.launch({ program, noDebug: true }), output, client.waitForEvent('terminated')]);
    const exited = await Promise.race([stopped.then(() => 'stopped'), Promise.resolve('ran through')]);
    assert.strictEqual(exited, 'ran through');
  },

  async theWindowedHostHasNoStandardStreams(client) {
    const program = script('windowed.vbs', [
      'On Error Resume Next',
      'Set out = WScript.StdOut',
      'WScript.Echo Hex(Err.Number)',
    ]);
    const output = client.assertOutput('stdout', '80070006\r\n');
    await Promise.all([client.configurationSequence(), client.launch({ program, console: 'windowed' }), output,
                       client.waitForEvent('terminated')]);
  },

  async disconnectWhileStoppedEndsTheAdapter(client) {
    const program = script('endless.vbs', ['Do', '  n = n + 1', 'Loop']);
    await Promise.all([client.configurationSequence(), client.launch({ program, stopOnEntry: true }),
                       stoppedAt(client, 'entry', 1)]);
    const ended = new Promise((resolve) => client._adapterProcess.on('exit', (code) => resolve(code)));
    await client.disconnectRequest({ terminateDebuggee: true });
    assert.strictEqual(await ended, 0);
  },
};

// The client goes away in the middle of a step, with the script stopped, or while the script
// runs into a long Sleep (the stop reaches it at its next statement, or the adapter ends without
// it after a grace period): the adapter ends either way instead of waiting for a client that will
// not come back.
async function aClientThatGoesAwayEndsTheAdapter(stepAndStop) {
  const program = script(stepAndStop ? 'gone.vbs' : 'sleeping.vbs',
                         stepAndStop ? ['x = 1', 'x = 2'] : ['WScript.Echo "asleep"', 'WScript.Sleep 600000']);
  const child = cp.spawn(adapter, [], { stdio: ['pipe', 'pipe', 'pipe'] });
  const ended = new Promise((resolve) => child.on('exit', (code) => resolve(code)));
  let seq = 0;
  const send = (command, args) => {
    const body = JSON.stringify({ seq: ++seq, type: 'request', command, arguments: args });
    child.stdin.write(`Content-Length: ${Buffer.byteLength(body)}\r\n\r\n${body}`);
  };
  let seen = '';
  const stopped = new Promise((resolve) => child.stdout.on('data', (data) => {
    seen += data;
    if (seen.includes(stepAndStop ? '"reason":"entry"' : 'asleep')) resolve();
  }));
  send('initialize', { adapterID: 'vbscript' });
  send('launch', { program, stopOnEntry: stepAndStop });
  send('configurationDone', {});
  await stopped;
  if (stepAndStop) send('next', { threadId: 1 });
  child.stdin.end();
  assert.strictEqual(await ended, 0);
}

async function malformedMessagesEndTheAdapterWithAReason() {
  const child = cp.spawn(adapter, [], { stdio: ['pipe', 'pipe', 'pipe'] });
  let stderr = '';
  child.stderr.on('data', (data) => { stderr += data; });
  const ended = new Promise((resolve) => child.on('exit', (code) => resolve(code)));
  child.stdin.write('Content-Length: 99999999999\r\n\r\n');
  assert.strictEqual(await ended, 2);
  assert.match(stderr, /Content-Length/);
}

(async () => {
  const timer = setTimeout(() => { console.error('conformance: timed out'); process.exit(1); }, 120000);
  let failed = 0;
  for (const [name, run] of Object.entries(scenarios)) {
    try {
      await withClient(run);
      console.log('ok   ' + name);
    } catch (error) {
      failed++;
      console.log('FAIL ' + name + ': ' + (error && error.stack || error));
    }
  }
  const alone = {
    malformedMessagesEndTheAdapterWithAReason,
    aClientGoneMidStepEndsTheAdapter: () => aClientThatGoesAwayEndsTheAdapter(true),
    aClientGoneWhileTheScriptSleepsEndsTheAdapter: () => aClientThatGoesAwayEndsTheAdapter(false),
  };
  for (const [name, run] of Object.entries(alone)) {
    try {
      await run();
      console.log('ok   ' + name);
    } catch (error) {
      failed++;
      console.log('FAIL ' + name + ': ' + (error && error.stack || error));
    }
  }
  clearTimeout(timer);
  fs.rmSync(work, { recursive: true, force: true });
  process.exit(failed === 0 ? 0 : 1);
})();
